"""Builds the extensions _velmora and _corvane with this tree's CMake build (the same
compiler flags and static libraries as the add-ins) and packages them with the pure-Python
parts in python/. The version is the CMake project's."""

import os
import re
import shutil
import subprocess
import sys
import sysconfig
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


class CMakeBuild(build_ext):
    def build_extensions(self):
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


setup(
    version=project_version(),
    packages=["velmora", "corvane"],
    package_dir={"": "python"},
    ext_modules=[CMakeExtension("velmora._velmora", "_velmora"),
                 CMakeExtension("corvane._corvane", "_corvane")],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": "build-python"}},
)
