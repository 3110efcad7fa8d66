"""The variability tools as Python passes them: the batch forms with the same bits as the cells,
for any thread count, and the cells' refusals; columns of samples with gaps; the Bayesian fit."""

import numpy as np
import pytest

import corvane
import velmora

ROW = velmora.PropEleveldFinal(70, 170, 35.77, 35, 1, 0, 1, 1)[:7]
OMEGA = velmora.ModelOmega("PropEleveldFinal")
SCHEDULE = {"delta_times": [0] + [1 / 6] * 60, "rate": [0] + [10] * 30 + [2] * 30,
            "iv_bolus": [140] + [0] * 60}


def test_a_virtual_population_is_the_cells_patients():
    block = np.diag(OMEGA)
    block[0, 3] = block[3, 0] = 0.2
    for omega in (OMEGA, block):
        rows = corvane.virtual_population(ROW, omega, 1234567, 50, threads=3)
        assert rows.shape == (50, 7)
        for i in (0, 1, 49):
            cell = corvane.VirtualPatient(ROW, omega, 1234567, i)
            assert rows[i].tobytes() == cell.tobytes()
        assert rows.tobytes() == corvane.virtual_population(ROW, omega, 1234567, 50,
                                                            threads=1).tobytes()


def test_a_band_is_the_cells_band_for_every_k_and_site():
    ks = [0.05, 0.5, 0.95]
    sequence = (SCHEDULE["delta_times"], SCHEDULE["rate"], SCHEDULE["iv_bolus"])
    for site, cell in (("Cp", corvane.CpBandVCl), ("Ce", corvane.CeBandVCl)):
        bands = corvane.band(SCHEDULE, ROW, OMEGA, 9, 200, ks, site=site, threads=2)
        assert bands.shape == (61, 3)
        for j, k in enumerate(ks):
            assert bands[:, j].tobytes() == cell(*sequence, ROW, OMEGA, 9, 200, k).tobytes()
        assert np.all(bands[1:, 0] < bands[1:, 2])
        assert corvane.band(sequence, ROW, OMEGA, 9, 200, ks, site=site,
                            threads=1).tobytes() == bands.tobytes()


def test_the_batches_refuse_as_the_cells_do():
    refusals = [
        (lambda: corvane.band(SCHEDULE, ROW[:6], OMEGA, 1, 10, [0.5], site="Ce"),
         "Ce band needs a row of 7 values with ke0!"),
        (lambda: corvane.band(SCHEDULE, ROW, OMEGA, 1, 10, [0.5, 2]), "k must be from 0 to 1!"),
        (lambda: corvane.band(SCHEDULE, ROW, OMEGA, 1, 0, [0.5]),
         "nPatients must be a whole number from 1 on!"),
        (lambda: corvane.band(SCHEDULE, ROW, OMEGA[:3], 1, 10, [0.5]),
         "Omega needs 7 variances or a 7x7 block!"),
        (lambda: corvane.virtual_population(ROW, OMEGA, -1, 10),
         "Seed must be a whole number from 0 to 2^53!"),
        (lambda: corvane.virtual_population([1, 2], OMEGA, 1, 10), "Row needs 6 or 7 values!"),
        (lambda: corvane.band({"delta_times": [0, 1], "rate": [0], "iv_bolus": [1, 0]},
                              ROW, OMEGA, 1, 10, [0.5]), "Columns of different length!"),
    ]
    for call, text in refusals:
        with pytest.raises(ValueError) as refused:
            call()
        assert str(refused.value) == text
    with pytest.raises(ValueError, match="site must be"):
        corvane.band(SCHEDULE, ROW, OMEGA, 1, 10, [0.5], site="plasma")
    with pytest.raises(ValueError, match="schedule must hold"):
        corvane.band([1, 2], ROW, OMEGA, 1, 10, [0.5])


def test_none_and_nan_are_rows_not_sampled():
    measured, predicted = [1.1, None, 0.8, np.nan, 1.5], [1, 1, 1, 1, 2]
    pe = corvane.VarvelPE(measured, predicted)
    assert np.isnan(pe[[1, 3]]).all()
    assert pe[[0, 2, 4]].tobytes() == corvane.VarvelPE([1.1, 0.8, 1.5], [1, 1, 2]).tobytes()
    assert corvane.VarvelMDPE(np.array(measured, dtype=float), predicted) == \
        corvane.VarvelMDPE([1.1, 0.8, 1.5], [1, 1, 2])
    times = [0, None, 30, 45, 60]
    assert corvane.VarvelDivergence(times, measured, predicted) == \
        corvane.VarvelDivergence([0, 30, 60], [1.1, 0.8, 1.5], [1, 1, 2])
    with pytest.raises(ValueError, match="^No samples!$"):
        corvane.VarvelWobble([None, None], [1, 1])
    with pytest.raises(ValueError, match="^Sample not a finite number!$"):
        corvane.VarvelDivergence([0, None], [1, 2], [1, 1])
    with pytest.raises(ValueError, match="measured"):
        corvane.VarvelMDAPE([[1, 2], [3, 4]], [1, 1, 1, 1])


def test_a_fit_recovers_noise_free_samples_and_skips_the_rows_not_sampled():
    six = ROW[:6]
    truth = six * np.exp([0.3, 0, 0, -0.2, 0, 0])
    cp = corvane.PredCpVCl(*SCHEDULE.values(), *truth)
    # Samples at the end of some rows (none carries a bolus); the rest not sampled.
    measured = [None] * 61
    for i in (3, 10, 20, 31, 40, 60):
        measured[i] = cp[i]
    vague = [1e6, 0, 0, 1e6, 0, 0, 0]
    fitted = corvane.MapIndividualVCl(*SCHEDULE.values(), measured, six, vague, 0, 0.001)
    assert np.allclose(fitted, truth, rtol=1e-6)
    # NaN is as None, and a tight prior keeps the typical row.
    again = corvane.MapIndividualVCl(*SCHEDULE.values(), np.array(measured, dtype=float), six,
                                     vague, 0, 0.001)
    assert again.tobytes() == fitted.tobytes()
    tight = corvane.MapIndividualVCl(*SCHEDULE.values(), measured, six,
                                     [1e-8, 0, 0, 1e-8, 0, 0, 0], 0.1, 0)
    assert np.allclose(tight, six, rtol=1e-3)
    objective = corvane.MapObjective([0.3], [0.5], [2, None], [1.5, 7], 0.1, 0.2)
    assert objective == pytest.approx(4 + np.log(0.0625) + 0.18, rel=1e-14)
    with pytest.raises(ValueError, match="^Give sigmaLog alone, with sigmaProp and sigmaAdd 0!$"):
        corvane.MapObjective([0.3], [0.5], [2], [1.5], 0.1, 0.2, 0.3)


def test_subjects_are_named_by_texts_or_numbers():
    times, m, p = [0, 60, 0, 30, 60], [1.1, 1.3, 0.8, 1, 1.4], [1] * 5
    by_number = corvane.VarvelPopulation([1, 1, 2, 2, 2], times, m, p, 0)
    for subject in (["1", "1", "2", "2", "2"], np.array([1.0, 1, 2, 2, 2]), [1, "1", 2.0, "2", 2],
                    np.array(["1", "1", "2", "2", "2"])):
        assert corvane.VarvelPopulation(subject, times, m, p, 0).tobytes() == by_number.tobytes()
    assert corvane.VarvelPopulation(["a", "a", "b", "b", "b"], times, m, p, 1).tobytes() == \
        corvane.VarvelPopulation([7, 7, 8, 8, 8], times, m, p, 1).tobytes()
    with pytest.raises(ValueError, match="^Sample not a finite number!$"):
        corvane.VarvelPopulation(["a", None, "b", "b", "b"], times, m, p, 2)
    with pytest.raises(ValueError, match="subject"):
        corvane.VarvelPopulation([["a", "b"], ["c", "d"]], times[:4], m[:4], p[:4], 2)
