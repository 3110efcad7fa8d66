#!/usr/bin/env python3
"""Context-sensitive half-times of propofol and opioid models side by side: the time the
plasma concentration needs to fall by half after an infusion that held it constant for a
given time, for one patient (53 y, 77 kg, 177 cm, male), printed at a few infusion lengths
and plotted over ten hours (on a logarithmic axis).

    python context_sensitive_half_times.py [PICTURE.png]   (default context_sensitive_half_times.png)

Run it with the interpreter the modules are installed for (the README's venv, made from
Debian's /usr/bin/python3).
"""

import sys

import numpy as np

import corvane
import velmora

AGE, WEIGHT, HEIGHT, MALE = 53, 77, 177, True  # y, kg, cm
LBM = corvane.JLBM(WEIGHT, HEIGHT, MALE)  # kg, James
DECREMENT = 50  # %
CONTEXTS = np.arange(5, 601, 5.0)  # infusion lengths (min)
SHOWN = (30, 60, 120, 240, 480)  # printed infusion lengths (min)

MODELS = {
    "propofol, Schnider": velmora.PropSchnider(AGE, WEIGHT, HEIGHT, LBM),
    "propofol, Marsh": velmora.PropMarsh(WEIGHT),
    "propofol, Eleveld": velmora.PropEleveld(WEIGHT, AGE, MALE, True),
    "remifentanil, Minto": velmora.RemiMinto(AGE, LBM),
    "alfentanil, Maitre": velmora.AlfentMaitre(AGE, WEIGHT, MALE),
    "fentanyl, Scott": velmora.FentScott(WEIGHT),
    "sufentanil, Gepts": velmora.SufentGepts(),
}


def half_times():
    """Each model's half-time (min) at every context of CONTEXTS."""
    return {name: corvane.CsDtCpVCl(CONTEXTS, *row[:6], DECREMENT) for name, row in MODELS.items()}


def main(picture="context_sensitive_half_times.png"):
    times = half_times()
    print(f"{'context-sensitive half-time (min)':<34}" + "".join(f"{f'{c} min':>10}" for c in SHOWN))
    for name, values in times.items():
        print(f"{name:<34}" + "".join(f"{values[CONTEXTS == c][0]:>10.1f}" for c in SHOWN))

    import matplotlib.pyplot as plt

    figure, ax = plt.subplots(figsize=(9.5, 4.5))
    for name, values in times.items():
        ax.plot(CONTEXTS, values, label=name, linestyle="-" if "propofol" in name else "--")
    ax.set_xlabel("infusion duration (min)")
    ax.set_ylabel("time to 50 % decrement of Cp (min)")
    ax.set_title(f"Context-sensitive half-times ({AGE} y, {WEIGHT} kg, {HEIGHT} cm, male)")
    ax.set_xlim(0, CONTEXTS[-1])
    ax.set_yscale("log")  # remifentanil's minutes beside fentanyl's hours
    ax.legend(loc="center left", bbox_to_anchor=(1.01, 0.5), fontsize="small")
    figure.tight_layout()
    figure.savefig(picture, dpi=100)
    print(f"picture: {picture}")


if __name__ == "__main__":
    main(*sys.argv[1:2])
