"""Pictures of TCI schedules and their effect (matplotlib, imported only when a picture is
drawn)."""

import math
import numbers

import numpy as np

# The rate's axis reaches this share of the largest rate below 0 and above it, so that a
# rate of 0 and the largest rate are drawn apart from the axes' frame.
RATE_MARGIN = 0.08
MINUTES_PER_HOUR = 60
# The BIS range usually aimed at in general anaesthesia, shaded behind a BIS curve.
BIS_BAND = (40.0, 60.0)


def _times(delta_times):
    """The time of each row's end (min): row 0 is time zero."""
    dt = np.asarray(delta_times, dtype=float)
    return np.cumsum(np.concatenate(([0.0], dt[1:])))


def _steps(target):
    """A target column as steps over time: each interval's value holds from its start to its
    end (a step drawn before the point), and row 0's, which is not read, is the first
    interval's, so that the target holds from time zero."""
    target = np.asarray(target, dtype=float)
    return np.concatenate((target[1:2], target[1:]))


def _syringe_rate(rate, syringe_conc, rate_unit):
    """The rates in mL/h from the drug per mL of the syringe, and the axis label."""
    amount = rate_unit.split("/")[0]
    if (isinstance(syringe_conc, bool) or not isinstance(syringe_conc, numbers.Real)
            or not math.isfinite(syringe_conc) or syringe_conc <= 0):
        raise ValueError("syringe_conc is the drug per mL of the syringe, a positive number "
                         f"of {amount}/mL, not {syringe_conc!r}")
    return (rate * MINUTES_PER_HOUR / syringe_conc,
            f"rate (mL/h, {syringe_conc:g} {amount}/mL)")


def plot_tci(delta_times, target_conc, rate, cp=None, ce=None, *, bis=None, bis_target=None,
             ax=None, title=None, conc_unit="ug/mL", rate_unit="mg/min", syringe_conc=None):
    """Draws a TCI schedule over time in minutes and returns the matplotlib figure.

    The rows are those of the TCI tools: row 0 is time zero, row i the interval of length
    delta_times[i] (min) that ends at the target target_conc[i] and is infused at rate[i].
    The target is drawn as steps, the predicted plasma (cp) and effect-site (ce)
    concentrations of each row's end as curves; cp and ce may be left out.

    The rate is drawn as steps in a panel of its own below the concentrations, its axis
    reaching a little below 0 so that a stopped infusion shows as a line of its own. With
    syringe_conc, the drug per mL of the syringe in the amount unit of rate_unit (mg/mL for
    mg/min), the rate is drawn in mL/h, as a syringe pump is set. Given ax, one axes, the
    concentrations are drawn into it and the rate on a second axis at its right.

    bis, one BIS value per row (such as BisEleveld of the ce column), adds a panel of its
    own at the bottom (plot_bis), with bis_target, the BIS aimed at in each row, as steps; it
    needs the figure's panels, so ax must then be left out.
    """
    import matplotlib.pyplot as plt

    time = _times(delta_times)
    shown_rate = np.concatenate(([0.0], np.asarray(rate, dtype=float)[1:]))
    rate_label = f"rate ({rate_unit})"
    if syringe_conc is not None:
        shown_rate, rate_label = _syringe_rate(shown_rate, syringe_conc, rate_unit)

    twin = ax is not None
    if bis_target is not None and bis is None:
        raise ValueError("bis_target is drawn with the BIS: give bis too")
    if twin and bis is not None:
        raise ValueError("bis is drawn in a panel of its own: leave ax out, or draw it with "
                         "plot_bis on axes of your own")
    if twin:
        fig = ax.figure
        rate_ax = ax.twinx()
    elif bis is None:
        fig, (ax, rate_ax) = plt.subplots(2, 1, sharex=True, figsize=(8, 6),
                                          gridspec_kw={"height_ratios": [3, 1.3]})
    else:
        fig, (ax, rate_ax, bis_ax) = plt.subplots(
            3, 1, sharex=True, figsize=(8, 8), gridspec_kw={"height_ratios": [3, 1.3, 2]})
        plot_bis(delta_times, bis, target=bis_target, ax=bis_ax)
    ax.step(time, _steps(target_conc), where="pre", color="0.35", linestyle="--",
            label="target")
    if cp is not None:
        ax.plot(time, cp, color="tab:blue", label="Cp (predicted)")
    if ce is not None:
        ax.plot(time, ce, color="tab:red", label="Ce (predicted)")
    ax.set_ylabel(f"concentration ({conc_unit})")
    ax.set_ylim(bottom=0)
    ax.set_xlim(time[0], time[-1])
    ax.grid(True, color="0.9")

    rate_ax.step(time, shown_rate, where="pre", color="tab:green", label="rate")
    rate_ax.fill_between(time, shown_rate, step="pre", color="tab:green", alpha=0.15)
    largest = float(np.max(shown_rate)) if shown_rate.size else 0.0
    span = largest if largest > 0 else 1.0
    rate_ax.set_ylim(-RATE_MARGIN * span, (1 + RATE_MARGIN) * span)
    rate_ax.set_ylabel(rate_label)
    rate_ax.set_xlim(time[0], time[-1])
    if bis is None:
        (ax if twin else rate_ax).set_xlabel("time (min)")
    if twin:
        lines, labels = ax.get_legend_handles_labels()
        rate_lines, rate_labels = rate_ax.get_legend_handles_labels()
        ax.legend(lines + rate_lines, labels + rate_labels, loc="upper right")
    else:
        ax.legend(loc="upper right")
        rate_ax.grid(True, color="0.9")
    if title:
        ax.set_title(title)
    fig.tight_layout()
    return fig


def plot_bis(delta_times, bis, *, target=None, ax=None, title=None):
    """Draws a BIS column over time in minutes, on an axis from 0 to 100 with the range of
    40 to 60 shaded, and returns the matplotlib figure.

    The rows are those of the TCI tools (row 0 is time zero, row i ends delta_times[i]
    later); bis holds one value per row, such as BisEleveld of PredCe's column. A row
    without an answer (NaN) leaves a gap. target, the BIS aimed at in each row (the column
    given to CeForBisEleveld), is drawn as steps, as plot_tci draws a target.
    """
    import matplotlib.pyplot as plt

    time = _times(delta_times)
    values = np.asarray(bis, dtype=float)
    for name, column in (("bis", values), ("target", target)):
        if column is not None and np.shape(column) != time.shape:
            raise ValueError(f"{name} has {np.size(column)} rows and delta_times {time.size}: "
                             "one BIS value per row")
    if ax is None:
        fig, ax = plt.subplots(figsize=(8, 3))
    else:
        fig = ax.figure
    low, high = BIS_BAND
    ax.axhspan(low, high, color="tab:purple", alpha=0.08, label=f"BIS {low:g}-{high:g}")
    if target is not None:
        ax.step(time, _steps(target), where="pre", color="0.35", linestyle="--",
                label="target")
    ax.plot(time, values, color="tab:purple", label="BIS (predicted)")
    ax.set_ylim(0, 100)
    ax.set_xlim(time[0], time[-1])
    ax.set_xlabel("time (min)")
    ax.set_ylabel("BIS")
    ax.grid(True, color="0.9")
    ax.legend(loc="upper right")
    if title:
        ax.set_title(title)
    fig.tight_layout()
    return fig
