"""Builds the extensions _velmora and _corvane with this tree's CMake build (the same
compiler flags and static libraries as the add-ins) and packages them with the pure-Python
parts in python/. The version is the CMake project's."""

import os
import re
import shutil
import subprocess
import sys
import sysconfig
import time
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(\w+\s+VERSION\s+([0-9.]+)", text).group(1)


class CMakeExtension(Extension):
    """An extension that is a target of the CMake build."""

    def __init__(self, name, target):
        super().__init__(name, sources=[])
        self.target = target


def tell(message):
    """A line for the user: on standard error and, since pip keeps a build's output to itself
    unless it fails or runs with -v, on the terminal that started pip when there is one."""
    print(message, file=sys.stderr, flush=True)
    if sys.stderr.isatty():
        return
    try:
        with open("/dev/tty", "w") as terminal:
            terminal.write(message + "\n")
    except OSError:
        pass


class CMakeBuild(build_ext):
    def build_extensions(self):
        started = time.monotonic()
        tell("velmora-corvane: compiling the drug models, the PK tools and the modules _velmora "
             "and _corvane with CMake in build-python/ (about 3 to 4 minutes on two cores the "
             "first time; pip -v shows each step)")
        build_dir = Path(self.build_temp).resolve() / "cmake"
        build_dir.mkdir(parents=True, exist_ok=True)
        jobs = str(min(2, os.cpu_count() or 1))
        # The interpreter that runs this build is the one the modules are built for.
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build_dir),
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DBUILD_TESTING=OFF",
                        f"-DPython_EXECUTABLE={sys.executable}"], check=True)
        subprocess.run(["cmake", "--build", str(build_dir), "--parallel", jobs, "--target",
                        *[e.target for e in self.extensions]], check=True)
        suffix = sysconfig.get_config_var("EXT_SUFFIX")
        for extension in self.extensions:
            built = build_dir / "python" / (extension.target + suffix)
            if not built.exists():
                sys.exit(f"{built} was not built: is pybind11 (Debian's pybind11-dev) installed?")
            destination = Path(self.get_ext_fullpath(extension.name))
            destination.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(built, destination)
        tell(f"velmora-corvane: compiled in {time.monotonic() - started:.0f} s")


setup(
    version=project_version(),
    packages=["velmora", "corvane"],
    package_dir={"": "python"},
    ext_modules=[CMakeExtension("velmora._velmora", "_velmora"),
                 CMakeExtension("corvane._corvane", "_corvane")],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": "build-python"}},
)
