#!/usr/bin/env python3
"""The Overview's effect-site TCI through the Python modules: a 53-year-old patient of
77 kg, 177 cm and lean body mass 59 kg gets propofol (Schnider model) by effect-site TCI at
10 s steps, target 4 ug/mL lowered to 3 ug/mL at 3 min, at most 200 mg/min. Prints the
schedule as the sheet examples/overview_propofol_tci.csv shows it (the same numbers, bit for
bit) and draws it.

    python overview_propofol_tci.py [PICTURE.png]     (default overview_propofol_tci.png)

Run it with the interpreter the modules are installed for (the README's venv, made from
Debian's /usr/bin/python3).
"""

import sys

import numpy as np

import corvane
import velmora

AGE, WEIGHT, HEIGHT, LBM = 53, 77, 177, 59  # y, kg, cm, kg
MAX_RATE = 200  # mg/min
STEP_S, END_S = 10, 300  # one row every 10 s for 5 min
LOWERED_AFTER_S = 180  # the target is 4 ug/mL up to 3 min, then 3 ug/mL
FIRST_TARGET, SECOND_TARGET = 4.0, 3.0  # ug/mL


def schedule():
    """The sheet's columns: time (s), dt (min), target, rate, bolus, Cp, Ce."""
    row = velmora.PropSchnider(AGE, WEIGHT, HEIGHT, LBM)  # V1, V2, V3, Cl1, Cl2, Cl3, ke0
    hybrid, ke0 = corvane.Cl2Hyb(row[:6]), row[6]
    seconds = np.arange(0, END_S + STEP_S, STEP_S)
    dt = np.where(seconds == 0, 0.0, STEP_S / 60)  # minutes, the models' time unit
    target = np.where(seconds <= LOWERED_AFTER_S, FIRST_TARGET, SECOND_TARGET)
    target[0] = 0  # row 0 is time zero: its interval and target are not read
    rate = corvane.TciCe(dt, target, MAX_RATE, *hybrid, ke0)
    bolus = np.zeros_like(dt)
    cp = corvane.PredCp(dt, rate, bolus, *hybrid)
    ce = corvane.PredCe(dt, rate, bolus, *hybrid, ke0)
    return {"Time (s)": seconds.astype(float), "dt (min)": dt, "Target Ce (ug/mL)": target,
            "Rate (mg/min)": rate, "Bolus (mg)": bolus, "Cp (ug/mL)": cp, "Ce (ug/mL)": ce}


def main(picture="overview_propofol_tci.png"):
    columns = schedule()
    print("  ".join(f"{name:>17}" for name in columns))
    for i in range(len(columns["Time (s)"])):
        print("  ".join(f"{column[i]:>17.10g}" for column in columns.values()))
    figure = corvane.plot_tci(columns["dt (min)"], columns["Target Ce (ug/mL)"],
                              columns["Rate (mg/min)"], cp=columns["Cp (ug/mL)"],
                              ce=columns["Ce (ug/mL)"],
                              title="Propofol effect-site TCI, Schnider (53 y, 77 kg, 177 cm, LBM 59 kg)")
    figure.savefig(picture, dpi=100)
    print(f"picture: {picture}")


if __name__ == "__main__":
    main(*sys.argv[1:2])
