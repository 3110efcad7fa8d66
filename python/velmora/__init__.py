"""Velmora's population pharmacokinetic models, the same routines as the spreadsheet add-in.

Every model is a function under its worksheet name (``velmora.PropSchnider``), its
arguments in registered order, with keyword names made from the registered names by one
rule: words of the registered name joined by "_" in lower case ("deltaTimes" ->
``delta_times``, "IVBolus" -> ``iv_bolus``, "MALE" -> ``male``, "IC50" -> ``ic50``).

A model returns its parameter row V1, V2, V3 (L), Cl1, Cl2, Cl3 (L/min) and, for most,
ke0 (1/min) as a numpy float64 array, bit for bit the cells the add-in shows. Given arrays
of covariates it computes a whole population in one call (numpy broadcasting), returning
one row per patient. Flags take True/False or 1/0.

``velmora.CovariateCheck("PropSchnider", 40, 70, 1.75, 56)`` says in words what looks wrong
with a model's arguments: it returns a list of str, ``["OK"]`` or one line per finding, and
emits each finding as a ``velmora.CovariateWarning`` (a UserWarning), never an exception:
whatever is given is read as the sheet reads the cell. It reads Corvane's body-size functions
too (``velmora.CovariateCheck("JLBM", 77, 1.77, 1)`` names the height in metres). The models
themselves neither check nor warn: their numbers stay the add-in's and fast.

``velmora.ModelOmega("PropEleveldFinal")`` gives the published variances of a model's etas
(V1, V2, V3, Cl1, Cl2, Cl3, ke0; 0 where a parameter does not vary), and raises ValueError
for a name of no model or a model without known variances.
"""

from ._velmora import *  # noqa: F401,F403  (the functions, listed in __all__)
from ._velmora import __all__, ARGUMENTS, CATEGORY, CovariateWarning  # noqa: F401
