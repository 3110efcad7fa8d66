"""Population calls of the drug models, and calls from several threads."""

from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest

import corvane
import velmora
from conftest import STANDARD_HYBRID, STANDARD_KE0

RANGES = {"age": (1, 90), "weight": (10, 150), "height": (80, 200), "lbm": (8, 90),
          "mass": (10, 60), "pma": (1.75, 90.75)}


def population(name, n, rng):
    """Random covariates by keyword for n patients; flags as 0/1 arrays."""
    covariates = {}
    for keyword, _, kind in velmora.ARGUMENTS[name]:
        if kind == "flag":
            covariates[keyword] = rng.integers(0, 2, n).astype(bool)
        else:
            low, high = RANGES.get(keyword, (1, 100))
            covariates[keyword] = rng.uniform(low, high, n)
    return covariates


MODELS_WITH_COVARIATES = [
    name for name, arguments in velmora.ARGUMENTS.items()
    if arguments and all(kind in ("number", "flag") for _, _, kind in arguments)]


@pytest.mark.parametrize("name", MODELS_WITH_COVARIATES)
def test_a_population_call_equals_one_call_per_patient(name):
    rng = np.random.default_rng(17)
    covariates = population(name, 300, rng)
    model = getattr(velmora, name)
    rows = model(**covariates)
    assert rows.dtype == np.float64 and rows.shape[0] == 300
    for i in range(300):
        one = model(**{k: (bool(v[i]) if v.dtype == bool else float(v[i]))
                       for k, v in covariates.items()})
        assert rows[i].tobytes() == one.tobytes(), (name, i)


def test_covariates_broadcast_as_numpy_does():
    ages = np.array([[20], [50]])
    weights = [60, 70, 80]
    rows = velmora.PropSchnider(ages, weights, 177, 59)
    assert rows.shape == (2, 3, 7)
    assert rows[1, 2].tobytes() == velmora.PropSchnider(50, 80, 177, 59).tobytes()
    assert velmora.PropMarsh([70]).shape == (1, 6)
    assert velmora.PropMarsh(np.array(70.0)).shape == (6,)
    assert velmora.PropWhite(np.array([], dtype=float), 70, True).shape == (0, 6)
    sexes = velmora.PropWhite(40, 70, [1, 0, True])
    assert sexes[0].tobytes() == sexes[2].tobytes() == velmora.PropWhite(40, 70, True).tobytes()
    with pytest.raises(ValueError, match="shape mismatch"):
        velmora.PropSchnider([1, 2], [1, 2, 3], 177, 59)
    with pytest.raises(ValueError) as e:
        velmora.PropEleveld([70, 80], 40, [1, 0.5], 1)
    assert str(e.value) == "parameter is neither 0 nor 1, male Conversion to Bool"
    with pytest.raises(TypeError) as e:
        velmora.PropEleveld([70, 80], ["40", "50"], 1, 1)
    assert str(e.value) == "parameter is not a number, age Conversion to Double"


def test_a_million_patients_in_one_call():
    n = 1_000_000
    rng = np.random.default_rng(1)
    ages, weights = rng.uniform(18, 90, n), rng.uniform(40, 140, n)
    heights, lbm = rng.uniform(150, 200, n), rng.uniform(35, 80, n)
    rows = velmora.PropSchnider(ages, weights, heights, lbm)
    assert rows.shape == (n, 7)
    for i in (0, 1, 77_777, n - 1):
        assert rows[i].tobytes() == velmora.PropSchnider(ages[i], weights[i], heights[i], lbm[i]).tobytes()


def test_threads_give_the_bits_of_one_thread():
    rng = np.random.default_rng(3)
    covariates = population("PropEleveldFinal", 20_000, rng)
    dt = [0] + [1 / 6] * 540
    target = [0] + [4] * 360 + [2] * 180
    hybrid = list(STANDARD_HYBRID)

    def work(_):
        return (velmora.PropEleveldFinal(**covariates).tobytes(),
                corvane.TciCe(dt, target, 1200, *hybrid, STANDARD_KE0).tobytes(),
                corvane.CsDtCe(list(range(0, 600, 20)), *hybrid, STANDARD_KE0, 50).tobytes())

    alone = work(None)
    with ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(work, range(8)))
    assert all(r == alone for r in results)
