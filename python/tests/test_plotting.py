"""corvane.plot_tci: what it draws, read back from the figure."""

import numpy as np
import pytest

import corvane

matplotlib = pytest.importorskip("matplotlib")
matplotlib.use("Agg")

DT = [0, 0.5, 0.5, 1.0]  # min
TARGET = [0, 4, 4, 3]  # ug/mL
RATE = [0, 120, 0, 30]  # mg/min


def rate_line(figure):
    lines = [line for ax in figure.axes for line in ax.get_lines() if line.get_label() == "rate"]
    assert len(lines) == 1
    return lines[0]


def test_the_rate_is_drawn_in_ml_per_hour_from_the_syringe_and_clear_of_the_axis():
    figure = corvane.plot_tci(DT, TARGET, RATE, syringe_conc=10)
    line = rate_line(figure)
    assert list(line.get_xdata()) == [0, 0.5, 1.0, 2.0]
    assert list(line.get_ydata()) == [0, 720, 0, 180]  # 120 mg/min of 10 mg/mL is 720 mL/h
    low, high = line.axes.get_ylim()
    assert low < 0 < 720 < high  # a stopped pump is a line above the frame's bottom
    assert "mL/h" in line.axes.get_ylabel() and "10 mg/mL" in line.axes.get_ylabel()
    # The target holds from time zero (row 0's is not read), as each row's from the row before.
    concentrations = figure.axes[0]
    target = [line for line in concentrations.get_lines() if line.get_label() == "target"][0]
    assert list(target.get_xdata()) == [0, 0.5, 1.0, 2.0]
    assert list(target.get_ydata()) == [4, 4, 4, 3]
    # Its own panel below the concentrations, over the same minutes and no further.
    assert line.axes is not concentrations
    assert concentrations.get_xlim() == line.axes.get_xlim() == (0, 2.0)
    assert concentrations.get_ylim()[0] == 0


def test_without_a_syringe_the_rate_keeps_its_unit_and_a_given_axes_gets_a_twin():
    import matplotlib.pyplot as plt

    _, ax = plt.subplots()
    figure = corvane.plot_tci(DT, TARGET, np.array(RATE), ce=[0, 1, 2, 3], ax=ax,
                              rate_unit="ug/min")
    line = rate_line(figure)
    assert list(line.get_ydata()) == [0, 120, 0, 30]
    assert line.axes.get_ylabel() == "rate (ug/min)"
    assert line.axes is not ax and len(figure.axes) == 2
    labels = ax.get_legend_handles_labels()[1]
    assert "target" in labels and "Ce (predicted)" in labels


@pytest.mark.parametrize("syringe", [0, -10, float("nan"), float("inf"), "10", True])
def test_a_syringe_concentration_that_is_no_positive_number_is_refused_in_words(syringe):
    with pytest.raises(ValueError, match="positive number of mg/mL"):
        corvane.plot_tci(DT, TARGET, RATE, syringe_conc=syringe)


BIS = [92.98, 70.5, 55.2, float("nan")]  # one row without an answer
BIS_TARGET = [50, 50, 50, 60]


def test_the_bis_gets_a_panel_of_its_own_below_the_rate_with_its_target_as_steps():
    figure = corvane.plot_tci(DT, TARGET, RATE, bis=BIS, bis_target=BIS_TARGET)
    concentrations, rate_panel, bis_panel = figure.axes
    assert rate_line(figure).axes is rate_panel
    lines = {line.get_label(): line for line in bis_panel.get_lines()}
    assert list(lines["BIS (predicted)"].get_xdata()) == [0, 0.5, 1.0, 2.0]
    np.testing.assert_array_equal(lines["BIS (predicted)"].get_ydata(), BIS)  # NaN: a gap
    # The BIS aimed at holds from time zero, as the concentration target does.
    assert list(lines["target"].get_ydata()) == [50, 50, 50, 60]
    assert bis_panel.get_ylim() == (0, 100) and bis_panel.get_ylabel() == "BIS"
    assert bis_panel.get_xlim() == concentrations.get_xlim() == (0, 2.0)
    # Time is labelled once, under the lowest panel.
    assert bis_panel.get_xlabel() == "time (min)" and rate_panel.get_xlabel() == ""


def test_plot_bis_draws_into_given_axes_and_refuses_columns_of_other_lengths():
    import matplotlib.pyplot as plt

    _, ax = plt.subplots()
    figure = corvane.plot_bis(DT, BIS, ax=ax, title="BIS")
    assert figure is ax.figure and [line.get_label() for line in ax.get_lines()] == [
        "BIS (predicted)"]
    with pytest.raises(ValueError, match="bis has 3 rows and delta_times 4"):
        corvane.plot_bis(DT, BIS[:3])
    with pytest.raises(ValueError, match="target has 5 rows and delta_times 4"):
        corvane.plot_bis(DT, BIS, target=BIS_TARGET + [60])
    # The BIS panel needs the figure's panels; a target without a BIS has nothing to go with.
    with pytest.raises(ValueError, match="panel of its own"):
        corvane.plot_tci(DT, TARGET, RATE, bis=BIS, ax=ax)
    with pytest.raises(ValueError, match="give bis too"):
        corvane.plot_tci(DT, TARGET, RATE, bis_target=BIS_TARGET)
