"""Pictures of TCI schedules and their effect (matplotlib, imported only when a picture is
drawn)."""

import numpy as np

# The BIS range usually aimed at in general anaesthesia, shaded behind a BIS curve.
BIS_BAND = (40.0, 60.0)


def _times(delta_times):
    """The time of each row's end: row 0 is time zero."""
    dt = np.asarray(delta_times, dtype=float)
    return np.cumsum(np.concatenate(([0.0], dt[1:])))


def plot_tci(delta_times, target_conc, rate, cp=None, ce=None, *, bis=None, ax=None,
             title=None, conc_unit="ug/mL", rate_unit="mg/min"):
    """Draws a TCI schedule over time in minutes and returns the matplotlib figure.

    The rows are those of the TCI tools: row 0 is time zero, row i the interval of length
    delta_times[i] that ends at the target target_conc[i] and is infused at rate[i]. The
    target is drawn as steps, the predicted plasma (cp) and effect-site (ce)
    concentrations of each row's end as curves, and the rate as a step plot on its own
    axis at the right. cp and ce may be left out.

    bis, a column with one BIS value per row (such as BisEleveld of the ce column), adds a
    panel below with its own axis (plot_bis); it needs a new figure, so ax must then be
    left out.
    """
    import matplotlib.pyplot as plt

    time = _times(delta_times)
    if bis is not None:
        if ax is not None:
            raise ValueError("bis is drawn on a panel of its own: leave ax out, or draw it "
                             "with plot_bis on axes of your own")
        fig, (ax, bis_ax) = plt.subplots(2, 1, sharex=True, figsize=(8, 7),
                                         gridspec_kw={"height_ratios": [3, 2]})
        plot_bis(delta_times, bis, ax=bis_ax)
    elif ax is None:
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
    if bis is None:
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


def plot_bis(delta_times, bis, *, ax=None, title=None):
    """Draws a BIS column over time in minutes, on an axis from 0 to 100 with the range of
    40 to 60 shaded, and returns the matplotlib figure.

    The rows are those of the TCI tools (row 0 is time zero, row i ends delta_times[i]
    later); bis holds one value per row, such as BisEleveld of PredCe's column. A row
    without an answer (NaN) leaves a gap.
    """
    import matplotlib.pyplot as plt

    time = _times(delta_times)
    values = np.asarray(bis, dtype=float)
    if values.shape != time.shape:
        raise ValueError(f"bis has {values.size} rows, delta_times {time.size}: one BIS value "
                         "per row")
    if ax is None:
        fig, ax = plt.subplots(figsize=(8, 3))
    else:
        fig = ax.figure
    low, high = BIS_BAND
    ax.axhspan(low, high, color="tab:purple", alpha=0.08, label=f"BIS {low:g}-{high:g}")
    ax.plot(time, values, color="tab:purple", label="BIS (predicted)")
    ax.set_ylim(0, 100)
    ax.set_xlim(time[0], time[-1])
    ax.set_xlabel("time (min)")
    ax.set_ylabel("BIS")
    ax.legend(loc="upper right")
    if title:
        ax.set_title(title)
    fig.tight_layout()
    return fig
