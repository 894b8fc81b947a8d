#!/usr/bin/env python3
"""How soon a page of an exported site shows over a slow line.

Serves SITE with python's http.server and opens PAGE in headless Chromium,
whose network is held to the given speed through the DevTools protocol
(Network.emulateNetworkConditions, the cache off). Prints, as the median of
--runs loads, the first contentful paint, the moment the web font is ready
(document.fonts.ready once the page has loaded, with the font in use) and
the load event, in milliseconds from the start of navigation, and the bytes
of each font file fetched.

  bench/site_slow_link.py SITE [PAGE] [--kbit 1600] [--latency-ms 150]
                          [--runs 5]

The protocol goes over --remote-debugging-pipe (file descriptors 3 and 4,
messages ended by a NUL byte), so nothing beyond python3 is needed.
"""
import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

PROBE = r"""
new Promise(done => {
  const report = () => document.fonts.ready.then(() => {
    const fcp = performance.getEntriesByName('first-contentful-paint')[0];
    const nav = performance.getEntriesByType('navigation')[0];
    done(JSON.stringify({
      fcp: fcp ? fcp.startTime : null,
      fontReady: performance.now(),
      fontUsed: document.fonts.check('16px VarnelMincho'),
      load: nav.loadEventEnd,
      fonts: performance.getEntriesByType('resource')
          .filter(e => /\.(woff2|ttf)$/.test(e.name))
          .map(e => [e.name.split('/').pop(), e.encodedBodySize]),
    }));
  });
  if (document.readyState === 'complete') report();
  else addEventListener('load', report);
})
"""


class Browser:
    def __init__(self, chromium, profile):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()
        # The browser reads commands on its fd 3 and writes on its fd 4.
        def wire():
            os.dup2(to_browser_r, 3)
            os.dup2(from_browser_w, 4)
        self.process = subprocess.Popen(
            [chromium, '--headless', '--no-sandbox', '--disable-gpu',
             '--no-first-run', '--remote-debugging-pipe',
             '--user-data-dir=' + profile, 'about:blank'],
            # Kept open past the closing of the others, which comes after wire().
            preexec_fn=wire, pass_fds=(3, 4),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buffer = b''
        self.next_id = 0

    def send(self, method, params=None, session=None):
        self.next_id += 1
        message = {'id': self.next_id, 'method': method,
                   'params': params or {}}
        if session:
            message['sessionId'] = session
        os.write(self.to_browser, json.dumps(message).encode() + b'\0')
        while True:
            answer = self.read()
            if answer.get('id') == self.next_id:
                if 'error' in answer:
                    raise RuntimeError(f'{method}: {answer["error"]}')
                return answer.get('result', {})

    def read(self):
        while b'\0' not in self.buffer:
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError('the browser went away')
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b'\0', 1)
        return json.loads(message)

    def close(self):
        try:
            self.send('Browser.close')
        except RuntimeError:
            pass
        self.process.wait(timeout=30)


def load_once(chromium, url, kbit, latency_ms):
    profile = tempfile.mkdtemp(prefix='varnel-slow-link-')
    browser = Browser(chromium, profile)
    try:
        target = browser.send('Target.createTarget', {'url': 'about:blank'})
        session = browser.send('Target.attachToTarget', {
            'targetId': target['targetId'], 'flatten': True})['sessionId']
        browser.send('Network.enable', session=session)
        browser.send('Network.setCacheDisabled', {'cacheDisabled': True},
                     session=session)
        browser.send('Network.emulateNetworkConditions', {
            'offline': False, 'latency': latency_ms,
            'downloadThroughput': kbit * 1000 / 8,
            'uploadThroughput': kbit * 1000 / 8}, session=session)
        browser.send('Page.enable', session=session)
        browser.send('Page.navigate', {'url': url}, session=session)
        result = browser.send('Runtime.evaluate', {
            'expression': PROBE, 'awaitPromise': True,
            'returnByValue': True}, session=session)
        return json.loads(result['result']['value'])
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('site')
    parser.add_argument('page', nargs='?', default='p001.html')
    parser.add_argument('--kbit', type=float, default=1600)
    parser.add_argument('--latency-ms', type=float, default=150)
    parser.add_argument('--runs', type=int, default=5)
    args = parser.parse_args()
    chromium = shutil.which('chromium')
    if not chromium:
        sys.exit('chromium is not installed (scripts/setup.sh installs it)')

    server = subprocess.Popen(
        [sys.executable, '-u', '-m', 'http.server', '0', '--bind',
         '127.0.0.1', '--directory', args.site],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        port = re.search(r'port (\d+)', server.stdout.readline()).group(1)
        url = f'http://127.0.0.1:{port}/{args.page}'
        runs = [load_once(chromium, url, args.kbit, args.latency_ms)
                for _ in range(args.runs)]
    finally:
        server.kill()
        server.wait()

    print(f'{args.page} over {args.kbit:g} kbit/s, {args.latency_ms:g} ms '
          f'latency, median of {len(runs)}:')
    for key, name in (('fcp', 'first contentful paint'),
                      ('fontReady', 'font ready'), ('load', 'load event')):
        values = [r[key] for r in runs if r[key] is not None]
        print(f'  {name:24} {statistics.median(values):7.0f} ms')
    print(f'  font in use              {all(r["fontUsed"] for r in runs)}')
    for name, size in runs[-1]['fonts']:
        print(f'  fetched {name:24} {size} bytes')


if __name__ == '__main__':
    main()
