#!/usr/bin/env python3
"""devtools.py CHROMIUM PROFILE EXPR FOLDER CSP URL...

Serves FOLDER on 127.0.0.1 with the Content-Security-Policy header CSP,
opens each URL (a path in it) in headless Chromium on a phone of 390 x 844
at scale 3 through the DevTools pipe, and prints one JSON line for each:
what EXPR gave once the page had loaded, what the console said and the
accessibility tree as a screen reader gets it."""
import fcntl, functools, http.server, json, os, subprocess, sys, threading


class Handler(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header("Content-Security-Policy", sys.argv[5])
        super().end_headers()

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(Handler, directory=sys.argv[4]))
threading.Thread(target=server.serve_forever, daemon=True).start()

# Chromium reads commands on its fd 3 and answers on fd 4.
to_child, to_chrome = os.pipe()
from_chrome, from_child = os.pipe()
high = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_child, from_child)]
chrome = subprocess.Popen(
    [sys.argv[1], "--headless", "--no-sandbox", "--disable-gpu",
     "--no-first-run", "--user-data-dir=" + sys.argv[2],
     "--remote-debugging-pipe", "about:blank"],
    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, close_fds=False,
    preexec_fn=lambda: (os.dup2(high[0], 3), os.dup2(high[1], 4)))
for fd in high + [to_child, from_child]:
    os.close(fd)
buffer, events, sent = b"", [], 0


def read():
    global buffer
    while b"\0" not in buffer:
        chunk = os.read(from_chrome, 1 << 16)
        if not chunk:
            sys.exit("Chromium closed its pipe")
        buffer += chunk
    message, buffer = buffer.split(b"\0", 1)
    return json.loads(message)


def send(method, session=None, **params):
    global sent
    sent += 1
    message = {"id": sent, "method": method, "params": params}
    if session:
        message["sessionId"] = session
    os.write(to_chrome, json.dumps(message).encode() + b"\0")
    while True:
        reply = read()
        if reply.get("id") == sent:
            if "error" in reply:
                sys.exit(method + ": " + str(reply["error"]))
            return reply.get("result", {})
        events.append(reply)


def console():
    for event in events:
        p = event.get("params", {})
        if event.get("method") == "Log.entryAdded":
            yield "%s: %s %s" % (p["entry"]["level"], p["entry"]["text"],
                                 p["entry"].get("url", ""))
        elif event.get("method") == "Runtime.exceptionThrown":
            yield "exception: " + json.dumps(p["exceptionDetails"])


target = send("Target.createTarget", url="about:blank")["targetId"]
session = send("Target.attachToTarget", targetId=target,
               flatten=True)["sessionId"]
for domain in ("Page", "Runtime", "Log", "Accessibility"):
    send(domain + ".enable", session)
send("Emulation.setDeviceMetricsOverride", session, width=390, height=844,
     deviceScaleFactor=3, mobile=True)
for url in sys.argv[6:]:
    events.clear()
    send("Page.navigate", session,
         url="http://127.0.0.1:%d/%s" % (server.server_address[1], url))
    while not any(e.get("method") == "Page.loadEventFired" for e in events):
        events.append(read())
    value = send("Runtime.evaluate", session, expression=sys.argv[3],
                 returnByValue=True)["result"].get("value")
    nodes = send("Accessibility.getFullAXTree", session)["nodes"]
    ax = [{k: n.get(k, {}).get("value", "")
           for k in ("role", "name", "description")}
          for n in nodes if not n.get("ignored")]
    print(json.dumps({"url": url, "value": value, "ax": ax,
                      "console": list(console())}, ensure_ascii=False),
          flush=True)
send("Browser.close")
chrome.wait(timeout=30)
