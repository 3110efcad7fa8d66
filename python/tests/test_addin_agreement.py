"""Every function of both modules against the add-ins, through the command-line host, on
the shared call table (catalogue/tests/calls.json): each call the modules take as Python
values gives the same cells bit for bit, a refusal the same text, a check the same
findings. The host's own forms (texts for numbers, errors, ranges of rows) are the sheet's,
not Python's; what Python itself passes (arrays, keywords, None) is in the other tests."""

import json
import math
import warnings

import pytest

import corvane
import velmora
from conftest import REPO, evaluate, formula, python_cells, same_bits

TABLE = REPO / "catalogue" / "tests" / "calls.json"

# Each worksheet function of both add-ins, as the modules bind them from the catalogues.
FUNCTIONS = {name: getattr(module, name)
             for module in (velmora, corvane) for name in module.ARGUMENTS}


def table_calls():
    """The table's calls, [name, argument...] each."""
    with open(TABLE, encoding="utf-8") as f:
        return [call for group in json.load(f)["groups"] for call in group["calls"]]


def is_number(value):
    return isinstance(value, (int, float)) and not isinstance(value, bool) \
        and math.isfinite(value)


def takes(kind, value):
    """Whether the module takes the table's value for an argument of this kind (catalogue's
    kinds, as ARGUMENTS names them) as Python passes it, without a conversion of the host's."""
    if kind == "number":
        return is_number(value)
    if kind == "flag":
        return isinstance(value, bool) or (is_number(value) and value in (0, 1))
    if kind == "column":
        return isinstance(value, list) and len(value) > 0 and all(map(is_number, value))
    if kind == "block":
        rows = value if isinstance(value, list) and all(isinstance(r, list) for r in value) \
            else [value]
        return len(rows) > 0 and all(takes("column", r) and len(r) == len(rows[0]) for r in rows)
    if kind == "samples":  # the table writes no empty cell: a column's values
        return takes("column", value)
    if kind == "identifiers":
        return isinstance(value, list) and len(value) > 0 and \
            all(isinstance(v, str) or is_number(v) for v in value)
    if kind == "text":
        return isinstance(value, str)
    if kind == "optional number":
        return value is None or is_number(value)
    if kind == "optional column":
        return value is None or takes("column", value)
    raise AssertionError(f"no Python form of the kind {kind!r}: teach this test")


def argument_table(name):
    return (velmora.ARGUMENTS if name in velmora.ARGUMENTS else corvane.ARGUMENTS)[name]


def python_call(call):
    """The table's call as the module takes it, or None when it is one of the host's forms."""
    name, *args = call
    kinds = [kind for _, _, kind in argument_table(name)]
    if len(args) > len(kinds):
        return None
    left_out = kinds[len(args):]
    if not all(kind.startswith("optional") for kind in left_out):
        return None
    if not all(takes(kind, value) for kind, value in zip(kinds, args)):
        return None
    return name, args


CALLS = [c for c in map(python_call, table_calls()) if c is not None]


def cells(name, args):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # a check's findings as warnings: test_checks.py
        return python_cells(FUNCTIONS[name], args)


@pytest.mark.parametrize("name, args", CALLS,
                         ids=[f"{n}-{formula(n, a)[:60]}" for n, a in CALLS])
def test_same_cells_as_the_addin(sheethost, name, args):
    expected = evaluate(sheethost, formula(name, args))
    got = cells(name, args)
    assert same_bits(got, expected), (formula(name, args), got, expected)


def test_the_table_calls_every_function_as_python_does():
    called = {name for name, _ in CALLS}
    assert [name for name in FUNCTIONS if name not in called] == []
    assert len(table_calls()) > len(CALLS)  # the host's own forms are left to the host


def test_the_table_holds_refusals_and_values():
    """Not only refusals, nor only values, among the calls Python makes."""
    shown = [cells(name, args)[0] for name, args in CALLS]
    assert any(isinstance(cell, str) for cell in shown)
    assert any(isinstance(cell, float) for cell in shown)
