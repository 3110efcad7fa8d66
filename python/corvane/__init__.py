"""Corvane's PK tools, the same routines as the spreadsheet add-in.

Every tool is a function under its worksheet name (``corvane.TciCe``), its arguments in
registered order, with keyword names made from the registered names by one rule: words of
the registered name joined by "_" in lower case ("deltaTimes" -> ``delta_times``,
"maxRate" -> ``max_rate``, "IVBolus" -> ``iv_bolus``, "peak_time" -> ``peak_time``).

Columns go in as sequences or 1-D numpy arrays and come out as numpy float64 arrays; the
tools that give one number (``BMI``, ``TPeak``...) return a Python float. Every value is
bit for bit the add-in's. A tool's refusal ("Columns of different length!") raises
ValueError with exactly the add-in's text.

``corvane.ScheduleCheck(delta_times, times, decr)`` (each may be left out) says in words
what looks wrong with a schedule's columns: it returns a list of str, ``["OK"]`` or one
line per finding, and emits each finding as a ``corvane.ScheduleWarning`` (a UserWarning),
never an exception. The tools themselves neither check nor warn.

``corvane.virtual_population(row, omega, seed, n)`` gives n virtual patients at once (row i
is ``VirtualPatient(row, omega, seed, i)``), and ``corvane.band(schedule, row, omega, seed, n,
ks)`` the percentile bands of their concentrations, one column per k, each exactly
``CpBandVCl``'s (``site="Ce"``: ``CeBandVCl``'s) but for any number of patients; both share
the work among threads, with the same bits for any count.

``corvane.plot_tci`` draws a TCI schedule, with the BIS below it when given;
``corvane.plot_bis`` draws a BIS column on axes of its own (matplotlib, imported only when
they are called).
"""

from ._corvane import *  # noqa: F401,F403  (the functions, listed in __all__)
from ._corvane import __all__ as _tools, ARGUMENTS, CATEGORY, ScheduleWarning  # noqa: F401
from ._corvane import band, virtual_population  # noqa: F401
from .plotting import plot_bis, plot_tci  # noqa: F401

__all__ = list(_tools) + ["band", "virtual_population", "plot_bis", "plot_tci"]
