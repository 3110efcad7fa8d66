#!/usr/bin/env python3
"""The Overview's effect-site TCI through the Python modules: a 53-year-old man of 77 kg and
177 cm (lean body mass from the James formula, JLBM) gets propofol (Schnider model) by
effect-site TCI at 10 s steps, target 4 ug/mL lowered to 3 ug/mL at 3 min, at most
200 mg/min, from a syringe of 10 mg/mL. Prints the schedule as the sheet
examples/overview_propofol_tci.csv shows it (the same numbers, bit for bit), with the pump's
rate in mL/h and the dose and volume given so far, and draws it.

    python overview_propofol_tci.py [PICTURE.png]     (default overview_propofol_tci.png)

Run it with the interpreter the modules are installed for (the README's venv, made from
Debian's /usr/bin/python3).
"""

import sys

import numpy as np

import corvane
import velmora

AGE, WEIGHT, HEIGHT, MALE = 53, 77, 177, True  # y, kg, cm
MAX_RATE = 200  # mg/min
SYRINGE = 10  # mg/mL
STEP_S, END_S = 10, 300  # one row every 10 s for 5 min
LOWERED_AFTER_S = 180  # the target is 4 ug/mL up to 3 min, then 3 ug/mL
FIRST_TARGET, SECOND_TARGET = 4.0, 3.0  # ug/mL


def schedule():
    """The sheet's columns: time (s), dt (min), target, rate, bolus, Cp, Ce, rate (mL/h),
    cumulative dose and volume."""
    lbm = corvane.JLBM(WEIGHT, HEIGHT, MALE)  # kg
    row = velmora.PropSchnider(AGE, WEIGHT, HEIGHT, lbm)  # V1, V2, V3, Cl1, Cl2, Cl3, ke0
    hybrid, ke0 = corvane.Cl2Hyb(row[:6]), row[6]
    seconds = np.arange(0, END_S + STEP_S, STEP_S)
    dt = np.where(seconds == 0, 0.0, STEP_S / 60)  # minutes, the models' time unit
    target = np.where(seconds <= LOWERED_AFTER_S, FIRST_TARGET, SECOND_TARGET)
    target[0] = 0  # row 0 is time zero: its interval and target are not read
    rate = corvane.TciCe(dt, target, MAX_RATE, *hybrid, ke0)
    bolus = np.zeros_like(dt)
    cp = corvane.PredCp(dt, rate, bolus, *hybrid)
    ce = corvane.PredCe(dt, rate, bolus, *hybrid, ke0)
    pump = rate * 60 / SYRINGE  # mL/h
    # The dose given up to each row's end, summed in the sheet's order.
    dose = np.zeros_like(dt)
    for i in range(len(dt)):
        dose[i] = (dose[i - 1] if i else 0) + rate[i] * dt[i] + bolus[i]
    return {"Time (s)": seconds.astype(float), "dt (min)": dt, "Target Ce (ug/mL)": target,
            "Rate (mg/min)": rate, "Bolus (mg)": bolus, "Cp (ug/mL)": cp, "Ce (ug/mL)": ce,
            "Rate (mL/h)": pump, "Cumulative dose (mg)": dose,
            "Cumulative volume (mL)": dose / SYRINGE}


def main(picture="overview_propofol_tci.png"):
    columns = schedule()
    width = max(len(name) for name in columns) + 1
    print("".join(f"{name:>{width}}" for name in columns))
    for i in range(len(columns["Time (s)"])):
        print("".join(f"{column[i]:>{width}.10g}" for column in columns.values()))
    figure = corvane.plot_tci(columns["dt (min)"], columns["Target Ce (ug/mL)"],
                              columns["Rate (mg/min)"], cp=columns["Cp (ug/mL)"],
                              ce=columns["Ce (ug/mL)"], syringe_conc=SYRINGE,
                              title="Propofol effect-site TCI, Schnider (man, 53 y, 77 kg, 177 cm)")
    figure.savefig(picture, dpi=100)
    print(f"picture: {picture}")


if __name__ == "__main__":
    main(*sys.argv[1:2])
