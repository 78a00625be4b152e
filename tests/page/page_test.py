#!/usr/bin/env python3
"""The bridge's page in a real headless browser, against matrix-sim and `matrixctl serve`:
it loads, shows the switcher's routes and port tags, a tap on an input button puts the route
change on the switcher's wire, and a change at the front panel shows without a reload.

    page_test.py MATRIX_SIM MATRIXCTL [--screenshot FILE]

--screenshot saves the page as a phone shows it (390x844) after the front-panel change.
Exits 77, which ctest counts as skipped, when chromium, chromedriver or selenium is missing.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

SKIPPED = 77
TOKEN = "page-test-token-0123456789abcdef"
INPUT_TAGS = ["Camera", "Laptop", "Lectern", "Stream", "Blu-ray", "Signage"]
OUTPUT_TAGS = ["Projector", "Stage left", "Stage right", "Foyer", "Recorder", "Monitor"]
WAIT_S = 30

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
except ImportError:
    webdriver = None


def skip_reason():
    if webdriver is None:
        return "python3-selenium is not installed"
    for program in ("chromium", "chromedriver"):
        if shutil.which(program) is None:
            return f"{program} is not installed"
    return None


def wait_for(what, condition, timeout=WAIT_S):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


class Program:
    """A program whose output lines are collected as they come."""

    def __init__(self, arguments):
        self.process = subprocess.Popen(
            arguments, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.lines = []
        threading.Thread(target=self._collect, daemon=True).start()

    def _collect(self):
        for line in self.process.stdout:
            self.lines.append(line.strip())

    def after(self, prefix):
        """The rest of the first line that starts with prefix, or None."""
        return next((line[len(prefix):] for line in self.lines if line.startswith(prefix)), None)

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


class Simulator(Program):
    """matrix-sim on a pseudo-terminal, its front panel on a FIFO, its frame log collected."""

    def __init__(self, program, folder):
        self.panel = os.path.join(folder, "panel")
        os.mkfifo(self.panel)
        super().__init__([program, "--panel", self.panel])
        self.pty = wait_for("the simulator's terminal", lambda: self.after("PTY "), 10)

    def press(self, command):
        # The simulator opens its end of the FIFO when it starts; until then there is no reader.
        descriptor = wait_for("the panel FIFO's reader", lambda: self._open_panel(), 10)
        with os.fdopen(descriptor, "w") as panel:
            panel.write(command + "\n")

    def _open_panel(self):
        try:
            return os.open(self.panel, os.O_WRONLY | os.O_NONBLOCK)
        except OSError:
            return None


def write_settings(path):
    lines = ["[Control mode]", "Mode=0", "[Tag of Input - COM]"]
    lines += [f"In{n}={tag}" for n, tag in enumerate(INPUT_TAGS, 1)]
    lines += ["[Tag of Output - COM]"]
    lines += [f"Out{n}={tag}" for n, tag in enumerate(OUTPUT_TAGS, 1)]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def start_bridge(matrixctl, sim, folder):
    """matrixctl serve on a free loopback port; returns it and the page's base address."""
    settings = os.path.join(folder, "Settings.ini")
    token_file = os.path.join(folder, "token")
    write_settings(settings)
    with open(token_file, "w") as f:
        f.write(TOKEN + "\n")
    bridge = Program([matrixctl, "--serial", sim.pty, "--settings", settings, "serve",
                      "--listen", "127.0.0.1:0", "--token-file", token_file])

    def address():
        if bridge.process.poll() is not None:
            raise AssertionError(f"matrixctl serve ended with exit code {bridge.process.returncode}")
        return bridge.after("Listening on ")
    return bridge, wait_for("the bridge to listen", address, 10).rstrip("/")


def open_browser(folder):
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for argument in (
        "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
        "--no-first-run", "--disable-extensions", "--disable-background-networking",
        "--disable-component-update", "--disable-sync", "--disable-default-apps",
        # Loopback only: anything else goes to a proxy that is not there.
        "--proxy-server=http://127.0.0.1:9",
        f"--user-data-dir={os.path.join(folder, 'profile')}",
    ):
        options.add_argument(argument)
    options.add_experimental_option(
        "mobileEmulation", {"deviceMetrics": {"width": 390, "height": 844, "pixelRatio": 2}})
    return webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)


# The input pressed on each output row, as the page shows it (0 for none).
PRESSED = """return [1, 2, 3, 4, 5, 6].map((o) => {
  const b = document.querySelector(`.output[data-output="${o}"] button[aria-pressed="true"]`);
  return b ? Number(b.dataset.input) : 0;
});"""


def check_page(driver, base, sim, screenshot):
    driver.get(f"{base}/#token={TOKEN}")
    routes = wait_for("the routes on the page", lambda: all(driver.execute_script(PRESSED)) and
                      driver.execute_script(PRESSED))
    assert routes == [1, 2, 3, 4, 5, 6], f"page shows routes {routes}"
    assert "#token" not in driver.current_url, "the token stays in the address bar"

    headings = driver.execute_script(
        "return [...document.querySelectorAll('.output h3')].map((h) => h.textContent)")
    for n, tag in enumerate(OUTPUT_TAGS, 1):
        assert f"Output{n} {tag}" in headings, f"no heading for Output{n} {tag}: {headings}"
    titles = driver.execute_script(
        "return [...document.querySelectorAll('.output[data-output=\"1\"] button')]"
        ".map((b) => b.title)")
    assert all(title.startswith(f"Input{n} {tag}")
               for n, (title, tag) in enumerate(zip(titles, INPUT_TAGS), 1)), titles

    # A tap on Output2's Input4 sends Set route (input 4, output 2) and the page shows it.
    driver.execute_script("window.pageMarker = 'loaded once'")
    driver.find_element("css selector", '.output[data-output="2"] button[data-input="4"]').click()
    wait_for("the route 2 <- 4 on the page", lambda: driver.execute_script(PRESSED)[1] == 4)
    wait_for("Set route on the wire", lambda: any(
        line.startswith("RX A5 5B 02 03 04 00 02 00") for line in sim.lines))

    # A change at the front panel reaches the page through the event socket.
    sim.press("route 3 5")
    wait_for("the panel's route 3 <- 5 on the page",
             lambda: driver.execute_script(PRESSED)[2] == 5)
    notice = driver.find_element("id", "notice").text
    assert notice == "Output3 switched to Input5 at the switcher", f"notice: {notice!r}"
    assert driver.execute_script("return window.pageMarker") == "loaded once", "page reloaded"

    foreign = driver.execute_script(
        "return performance.getEntriesByType('resource').map((e) => e.name)"
        ".filter((u) => !u.startsWith(location.origin))")
    assert not foreign, f"the page fetched from elsewhere: {foreign}"
    if screenshot:
        driver.save_screenshot(screenshot)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("matrix_sim")
    parser.add_argument("matrixctl")
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    reason = skip_reason()
    if reason:
        print(f"SKIPPED: the browser test needs chromium, chromium-driver and python3-selenium "
              f"({reason}); bash scripts/install-deps.sh installs them")
        return SKIPPED
    with tempfile.TemporaryDirectory() as folder:
        sim = Simulator(args.matrix_sim, folder)
        bridge = driver = None
        try:
            bridge, base = start_bridge(args.matrixctl, sim, folder)
            driver = open_browser(folder)
            check_page(driver, base, sim, args.screenshot and os.path.abspath(args.screenshot))
        except AssertionError as failure:
            print(f"FAILED: {failure}")
            if bridge:
                print("serve's output:\n" + "\n".join(bridge.lines[-40:]))
            return 1
        finally:
            if driver:
                driver.quit()
            for program in (bridge, sim):
                if program:
                    program.stop()
    print("page test passed: loads, routes and tags, a tap on the wire, a panel change live")
    return 0


if __name__ == "__main__":
    sys.exit(main())
