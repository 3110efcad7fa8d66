"""A headless LibreOffice with the Velmora and Corvane extension, for the tests, the example
workbooks and the benchmark. Runs under Debian's /usr/bin/python3 (it has the uno module).

    with Office(oxt) as office:
        document = office.new_calc()
        ...

The extension goes into a throwaway user profile (unopkg refuses a root user's
installation, so as root it runs as nobody on a profile that nobody owns); soffice starts on
that profile, listening on a free local port; the process is stopped by its id and the
profile removed whatever happens. Every wait is bounded.
"""

import os
import shutil
import signal
import sys
import socket
import subprocess
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

PROGRAM = os.environ.get("VC_LIBREOFFICE_PROGRAM", "/usr/lib/libreoffice/program")
START_SECONDS = 60  # soffice's start, up to the first UNO connection
STOP_SECONDS = 15
INSTALL_SECONDS = 120
RESTART_STATUS = 81


class OfficeError(RuntimeError):
    pass


def _stop_on_terminate(signum, frame):
    # A terminated driver still stops its soffice (the with block's exit runs).
    sys.exit(128 + signum)


signal.signal(signal.SIGTERM, _stop_on_terminate)


def properties(**values):
    """A tuple of PropertyValues from keyword arguments."""
    result = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name = name
        p.Value = value
        result.append(p)
    return tuple(result)


def export_pdf(document, path):
    """The document as Calc prints it, in a PDF file."""
    document.storeToURL(uno.systemPathToFileUrl(os.path.abspath(path)),
                        properties(FilterName="calc_pdf_Export"))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def calc_formula(formula):
    """A formula in the add-ins' sheet syntax (commas between arguments, rows of an array
    constant separated by ';' and cells by ',') in Calc's API syntax (';' between arguments,
    '|' between the rows of an array constant, ';' between its cells)."""
    out = []
    depth_braces = 0
    in_text = False
    for c in formula:
        if in_text:
            out.append(c)
            if c == '"':
                in_text = False
            continue
        if c == '"':
            in_text = True
        elif c == "{":
            depth_braces += 1
        elif c == "}":
            depth_braces -= 1
        elif c == ",":
            c = ";"
        elif c == ";" and depth_braces:
            c = "|"
        out.append(c)
    return "".join(out)


class Office:
    def __init__(self, oxt, log=None):
        self.oxt = os.path.abspath(oxt)
        self.log = log
        self.profile = None
        self.process = None
        self.context = None
        self.desktop = None

    # --- lifetime ------------------------------------------------------------------------

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        self.profile = tempfile.mkdtemp(prefix="vc-lo-profile-")
        self._install_extension()
        port = free_port()
        profile_url = uno.systemPathToFileUrl(self.profile)
        command = [
            os.path.join(PROGRAM, "soffice.bin"), "--headless", "--invisible", "--nologo",
            "--norestore", "--nodefault", "--nolockcheck",
            "-env:UserInstallation=" + profile_url,
            "--accept=socket,host=127.0.0.1,port=%d;urp;StarOffice.ComponentContext" % port,
        ]
        env = dict(os.environ, HOME=self.profile, SAL_USE_VCLPLUGIN="svp")
        launch = lambda: subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                          stdout=self.log or subprocess.DEVNULL,
                                          stderr=self.log or subprocess.DEVNULL,
                                          start_new_session=True)
        self.process = launch()
        self._note_process()
        restarts = 0
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + START_SECONDS
        while True:
            if self.process.poll() == RESTART_STATUS and restarts < 2:
                # A fresh profile's first start ends asking to be started again.
                restarts += 1
                self.process = launch()
                self._note_process()
            if self.process.poll() is not None:
                raise OfficeError("soffice ended with status %d before accepting a connection"
                                  % self.process.returncode)
            try:
                self.context = resolver.resolve(
                    "uno:socket,host=127.0.0.1,port=%d;urp;StarOffice.ComponentContext" % port)
                break
            except NoConnectException:
                if time.monotonic() > deadline:
                    raise OfficeError("soffice accepted no connection within %d s" % START_SECONDS)
                time.sleep(0.1)
        self.desktop = self.context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", self.context)

    def _note_process(self):
        # For the calling script's clean-up, should this driver be killed outright.
        path = os.environ.get("VC_SOFFICE_PID_FILE")
        if path:
            with open(path, "w") as f:
                f.write("%d\n" % self.process.pid)

    def _install_extension(self):
        oxt = os.path.join(self.profile, os.path.basename(self.oxt))
        shutil.copyfile(self.oxt, oxt)
        command = [os.path.join(PROGRAM, "unopkg"), "add", "--suppress-license",
                   "-env:UserInstallation=" + uno.systemPathToFileUrl(self.profile), oxt]
        if os.geteuid() == 0:
            # unopkg refuses root: nobody installs into a profile that nobody owns.
            for root, dirs, files in os.walk(self.profile):
                for name in dirs + files + ["."]:
                    os.chown(os.path.join(root, name), 65534, 65534)
            command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                       "env", "HOME=" + self.profile, "TMPDIR=" + self.profile] + command
        try:
            result = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True,
                                    text=True, timeout=INSTALL_SECONDS)
        except subprocess.TimeoutExpired:
            raise OfficeError("unopkg add did not finish within %d s" % INSTALL_SECONDS)
        if result.returncode != 0:
            raise OfficeError("unopkg add failed (%d):\n%s%s"
                              % (result.returncode, result.stdout, result.stderr))

    def stop(self):
        if self.desktop is not None:
            try:
                self.desktop.terminate()
            except Exception:
                pass  # the connection goes down with the process
            self.desktop = None
        if self.process is not None:
            try:
                self.process.wait(STOP_SECONDS)
            except subprocess.TimeoutExpired:
                for sig in (signal.SIGTERM, signal.SIGKILL):
                    try:
                        os.killpg(self.process.pid, sig)
                    except ProcessLookupError:
                        break
                    try:
                        self.process.wait(STOP_SECONDS)
                        break
                    except subprocess.TimeoutExpired:
                        continue
            self.process = None
        if self.profile is not None:
            shutil.rmtree(self.profile, ignore_errors=True)
            self.profile = None

    # --- documents -----------------------------------------------------------------------

    def new_calc(self):
        return self.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                                 properties(Hidden=True))

    def load(self, path):
        return self.desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(path)),
                                                 "_blank", 0, properties(Hidden=True))
