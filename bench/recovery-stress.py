#!/usr/bin/env python3
"""Kills the program at random moments around a recovery write, again and again.

    python3 bench/recovery-stress.py PROGRAM [RUNS]

PROGRAM is the built pendwick. Each run starts the program with the recovery question
answered Yes (through PENDWICK_TEST_SCRIPT), types a marker into the recovered document (a
page of some megabytes, so that writing its copy takes a while), and is killed with SIGKILL
at a random moment between just before and well after the copy is due. The next run must
recover, whole, either the text before the marker or the text with it. Prints the count of
runs that did. Not part of `make test`: it takes minutes.
"""
import json, os, random, signal, subprocess, sys, tempfile, time

def main():
    prog = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 50
    work = tempfile.mkdtemp(prefix="pendwick-stress.")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", PENDWICK_CONFIG=f"{work}/registry.ini",
               XDG_CONFIG_HOME=f"{work}/config", XDG_DATA_HOME=f"{work}/data",
               ASAN_OPTIONS="detect_leaks=0", PENDWICK_TEST_SCRIPT=f"{work}/script")
    page = f"{work}/page.html"
    with open(page, "w") as f:
        f.write("<p>" + "lorem ipsum dolor sit amet " * 40000 + "</p>\n")  # about 1 MB
    original = open(page, "rb").read()

    def run(script, report, kill_after=None):
        for name in (report, report + ".part"):
            if os.path.exists(name):
                os.remove(name)
        with open(f"{work}/script", "w") as f:
            f.write(script)
        p = subprocess.Popen([prog], env=env, stderr=subprocess.DEVNULL)
        deadline = time.time() + 120
        while not os.path.exists(report) and time.time() < deadline and p.poll() is None:
            time.sleep(0.02)
        if kill_after is not None:
            time.sleep(kill_after)
        p.send_signal(signal.SIGKILL)
        p.wait()
        with open(report) as f:
            return json.load(f)

    # Run i recovers what run i-1's kill left: the text run i-1 recovered (copied again at
    # its start) or the text with run i-1's marker.
    # The first run opens the page and types into it; its copy is surely written.
    tabs = run(f"open {page}\ntype start \nwait 10000\nreport {work}/r.json\n", f"{work}/r.json")
    before = [tabs[-1]["text"]]
    whole = 0
    for i in range(runs + 1):
        # Report right after typing; the copy is due about two seconds later; kill somewhere
        # from 1 s to 4 s after the report.
        tabs = run(f"recover yes\nwait 200\nreport {work}/b.json\ntype m{i} \nreport {work}/r.json\n",
                   f"{work}/r.json", kill_after=random.uniform(1.0, 4.0))
        recovered = json.load(open(f"{work}/b.json"))
        texts = [t["text"] for t in recovered if t["path"] == page]
        if texts and texts[0] in before:
            whole += 1 if i > 0 else 0  # run 0 recovers the first, unhurried copy
        else:
            print(f"run {i}: recovered text is neither the previous nor the new one", file=sys.stderr)
        after = tabs[-1]["text"] if tabs and tabs[-1]["path"] == page else None
        before = [texts[0] if texts else "", after] if after else [texts[0] if texts else ""]
        if open(page, "rb").read() != original:
            print(f"run {i}: the original file was written", file=sys.stderr)
            whole -= 1
    print(f"recovered whole: {whole} of {runs} killed runs")
    return 0 if whole == runs else 1

if __name__ == "__main__":
    sys.exit(main())
