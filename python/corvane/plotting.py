"""Pictures of TCI schedules (matplotlib, imported only when a picture is drawn)."""

import numpy as np


def plot_tci(delta_times, target_conc, rate, cp=None, ce=None, *, ax=None, title=None,
             conc_unit="ug/mL", rate_unit="mg/min"):
    """Draws a TCI schedule over time in minutes and returns the matplotlib figure.

    The rows are those of the TCI tools: row 0 is time zero, row i the interval of length
    delta_times[i] that ends at the target target_conc[i] and is infused at rate[i]. The
    target is drawn as steps, the predicted plasma (cp) and effect-site (ce)
    concentrations of each row's end as curves, and the rate as a step plot on its own
    axis at the right. cp and ce may be left out.
    """
    import matplotlib.pyplot as plt

    dt = np.asarray(delta_times, dtype=float)
    time = np.cumsum(np.concatenate(([0.0], dt[1:])))
    if ax is None:
        fig, ax = plt.subplots(figsize=(8, 4.5))
    else:
        fig = ax.figure
    # Each interval's value holds from its start to its end: a step drawn before the point.
    ax.step(time[1:], np.asarray(target_conc, dtype=float)[1:], where="pre", color="0.35",
            linestyle="--", label="target")
    if cp is not None:
        ax.plot(time, cp, color="tab:blue", label="Cp (predicted)")
    if ce is not None:
        ax.plot(time, ce, color="tab:red", label="Ce (predicted)")
    ax.set_xlabel("time (min)")
    ax.set_ylabel(f"concentration ({conc_unit})")
    ax.set_ylim(bottom=0)
    ax.set_xlim(time[0], time[-1])

    rate_ax = ax.twinx()
    rate_ax.step(time, np.concatenate(([0.0], np.asarray(rate, dtype=float)[1:])), where="pre",
                 color="tab:green", alpha=0.6, label="rate")
    rate_ax.set_ylabel(f"infusion rate ({rate_unit})")
    rate_ax.set_ylim(bottom=0)

    lines = ax.get_legend_handles_labels()
    rate_lines = rate_ax.get_legend_handles_labels()
    ax.legend(lines[0] + rate_lines[0], lines[1] + rate_lines[1], loc="upper right")
    if title:
        ax.set_title(title)
    fig.tight_layout()
    return fig
