#!/usr/bin/env python3
"""A BIS-guided propofol TCI through the Python modules: a 53-year-old man of 77 kg and 177 cm
gets propofol (Eleveld 2018, arterial, with opiates) by effect-site TCI at 10 s steps to the
effect-site concentration whose typical BIS is 50 (CeForBisEleveld), raised to that of BIS 60
at 6 min, at most 200 mg/min, from a syringe of 10 mg/mL. Prints the schedule as the sheet
examples/bis_guided_propofol_tci.csv shows it (the same numbers, bit for bit), the predicted
BIS (BisEleveld of the effect-site column) beside it, and draws it.

    python bis_guided_propofol_tci.py [PICTURE.png]     (default bis_guided_propofol_tci.png)

Run it with the interpreter the modules are installed for (the README's venv, made from
Debian's /usr/bin/python3).
"""

import sys

import numpy as np

import corvane
import velmora

WEIGHT, HEIGHT, AGE, MALE = 77, 177, 53, True  # kg, cm, y
PMA = 53.77  # postmenstrual age (y): born at term, 40 weeks after conception
VENOUS, OPIATES, PATIENT = False, True, True  # arterial samples, with opiates, a patient
MAX_RATE = 200  # mg/min
SYRINGE = 10  # mg/mL
STEP_S, END_S = 10, 600  # one row every 10 s for 10 min
RAISED_AFTER_S = 360  # BIS 50 up to 6 min, then 60
FIRST_BIS, SECOND_BIS = 50.0, 60.0


def schedule():
    """The sheet's columns: time (s), dt (min), target BIS, target Ce, rate, bolus, Cp, Ce,
    predicted BIS, rate (mL/h)."""
    row = velmora.PropEleveldFinal(WEIGHT, HEIGHT, PMA, AGE, MALE, VENOUS, OPIATES, PATIENT)
    hybrid, ke0 = corvane.Cl2Hyb(row[:6]), row[6]  # ke0: the BIS effect site
    seconds = np.arange(0, END_S + STEP_S, STEP_S)
    dt = np.where(seconds == 0, 0.0, STEP_S / 60)  # minutes, the models' time unit
    target_bis = np.where(seconds <= RAISED_AFTER_S, FIRST_BIS, SECOND_BIS)
    target_ce = corvane.CeForBisEleveld(target_bis, AGE)  # ug/mL
    rate = corvane.TciCe(dt, target_ce, MAX_RATE, *hybrid, ke0)
    bolus = np.zeros_like(dt)
    cp = corvane.PredCp(dt, rate, bolus, *hybrid)
    ce = corvane.PredCe(dt, rate, bolus, *hybrid, ke0)
    bis = corvane.BisEleveld(ce, AGE)
    return {"Time (s)": seconds.astype(float), "dt (min)": dt, "Target BIS": target_bis,
            "Target Ce (ug/mL)": target_ce, "Rate (mg/min)": rate, "Bolus (mg)": bolus,
            "Cp (ug/mL)": cp, "Ce (ug/mL)": ce, "BIS (predicted)": bis,
            "Rate (mL/h)": rate * 60 / SYRINGE}


def main(picture="bis_guided_propofol_tci.png"):
    columns = schedule()
    width = max(len(name) for name in columns) + 1
    print("".join(f"{name:>{width}}" for name in columns))
    for i in range(len(columns["Time (s)"])):
        print("".join(f"{column[i]:>{width}.10g}" for column in columns.values()))
    figure = corvane.plot_tci(columns["dt (min)"], columns["Target Ce (ug/mL)"],
                              columns["Rate (mg/min)"], cp=columns["Cp (ug/mL)"],
                              ce=columns["Ce (ug/mL)"], bis=columns["BIS (predicted)"],
                              bis_target=columns["Target BIS"], syringe_conc=SYRINGE,
                              title="BIS-guided propofol TCI, Eleveld (man, 53 y, 77 kg, 177 cm)")
    figure.savefig(picture, dpi=100)
    print(f"picture: {picture}")


if __name__ == "__main__":
    main(*sys.argv[1:2])
