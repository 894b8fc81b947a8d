#!/usr/bin/env python3
"""Opens pages in headless Chromium through its DevTools pipe and prints,
for each, one JSON line: what an expression evaluated to once the page had
loaded, what the console and the security checks said, and (with --ax) the
accessibility tree as a screen reader gets it.

devtools.py CHROMIUM PROFILE [--phone] [--ax] [--eval EXPR]
            [--serve DIR [--csp POLICY]] URL...

With --serve, DIR is served on 127.0.0.1 (with the Content-Security-Policy
header POLICY) and each URL is a path inside it. --phone is a phone of
390 x 844 CSS pixels at scale 3, touch and viewport tag included.
"""
import argparse
import fcntl
import functools
import http.server
import json
import os
import subprocess
import sys
import threading


class Pipe:
    def __init__(self, chromium, profile):
        to_child, self.to_chrome = os.pipe()
        self.from_chrome, from_child = os.pipe()
        # Chromium reads its commands on fd 3 and answers on fd 4.
        a = fcntl.fcntl(to_child, fcntl.F_DUPFD, 10)
        b = fcntl.fcntl(from_child, fcntl.F_DUPFD, 10)

        def fds():
            os.dup2(a, 3)
            os.dup2(b, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu",
             "--no-first-run", "--user-data-dir=" + profile,
             "--remote-debugging-pipe", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            close_fds=False, preexec_fn=fds)
        for fd in (a, b, to_child, from_child):
            os.close(fd)
        self.buffer = b""
        self.next_id = 0
        self.events = []

    def send(self, method, session=None, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self.to_chrome, json.dumps(message).encode() + b"\0")
        while True:
            reply = self.read()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(method + ": " + str(reply["error"]))
                return reply.get("result", {})
            self.events.append(reply)

    def read(self):
        while b"\0" not in self.buffer:
            chunk = os.read(self.from_chrome, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def wait_for(self, method):
        while True:
            for event in self.events:
                if event.get("method") == method:
                    self.events.remove(event)
                    return event
            self.events.append(self.read())


def said(events):
    out = []
    for event in events:
        p = event.get("params", {})
        if event.get("method") == "Log.entryAdded":
            entry = p["entry"]
            out.append("%s: %s %s" % (entry["level"], entry["text"],
                                      entry.get("url", "")))
        elif event.get("method") == "Runtime.exceptionThrown":
            out.append("exception: " + p["exceptionDetails"]["text"] + " " +
                       str(p["exceptionDetails"].get("exception", {})
                           .get("description", "")))
        elif event.get("method") == "Runtime.consoleAPICalled":
            out.append(p["type"] + ": " + " ".join(
                str(a.get("value", "")) for a in p["args"]))
    return out


def serve(folder, policy):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def end_headers(self):
            if policy:
                self.send_header("Content-Security-Policy", policy)
            super().end_headers()

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/" % server.server_address[1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("chromium")
    parser.add_argument("profile")
    parser.add_argument("--phone", action="store_true")
    parser.add_argument("--ax", action="store_true")
    parser.add_argument("--eval", default="null")
    parser.add_argument("--serve")
    parser.add_argument("--csp", default="")
    parser.add_argument("urls", nargs="+")
    args = parser.parse_args()
    base = serve(args.serve, args.csp) if args.serve else ""

    chrome = Pipe(args.chromium, args.profile)
    try:
        target = chrome.send("Target.createTarget", url="about:blank")
        session = chrome.send("Target.attachToTarget", flatten=True,
                              targetId=target["targetId"])["sessionId"]
        for domain in ("Page", "Runtime", "Log"):
            chrome.send(domain + ".enable", session)
        if args.phone:
            chrome.send("Emulation.setDeviceMetricsOverride", session,
                        width=390, height=844, deviceScaleFactor=3,
                        mobile=True)
            chrome.send("Emulation.setTouchEmulationEnabled", session,
                        enabled=True, maxTouchPoints=5)
        for url in args.urls:
            chrome.events.clear()
            chrome.send("Page.navigate", session, url=base + url)
            chrome.wait_for("Page.loadEventFired")
            value = chrome.send(
                "Runtime.evaluate", session, expression=args.eval,
                awaitPromise=True, returnByValue=True)["result"].get("value")
            result = {"url": url, "value": value}
            if args.ax:
                nodes = chrome.send("Accessibility.getFullAXTree", session)
                result["ax"] = [
                    {key: node.get(key, {}).get("value", "")
                     for key in ("role", "name", "description")}
                    for node in nodes["nodes"] if not node.get("ignored")]
            result["console"] = said(chrome.events)
            print(json.dumps(result, ensure_ascii=False), flush=True)
        chrome.send("Browser.close")
    finally:
        chrome.process.wait(timeout=30)


if __name__ == "__main__":
    sys.exit(main())
