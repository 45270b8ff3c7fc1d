#!/usr/bin/env python3
"""The update server of the update scenarios: HTTP/1.0 on loopback, answers by path.

    update_server.py <folder>

Listens on 127.0.0.1 at a free port, written to <folder>/port. Each request reads
<folder>/routes.json anew, so a scenario changes the answers between checks:

    {"/vrl/info.txt": {"status": 200, "reason": "OK", "body": "text"},
     "/vrl/vireloc.lzh": {"body_file": "/path", "stall_after": 1000, "release": "/path"},
     "/a": {"status": 302, "location": "/b"},
     "/slow": {"silent": true}}

stall_after: that many body bytes, then nothing until the file `release` exists, then the
rest. silent: headers never come; the connection is held until the client drops it, and
the seconds it was held are appended to <folder>/held.log.
Every request is appended to <folder>/requests.log as one JSON line: the request line and
the header lines in the order they arrived.
"""
import json
import os
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

FOLDER = sys.argv[1]


def route(path):
    with open(os.path.join(FOLDER, "routes.json"), encoding="utf-8") as routes:
        return json.load(routes).get(path, {"status": 404, "reason": "Not Found"})


def wait_for(path, handler):
    while not os.path.exists(path):
        time.sleep(0.05)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        headers = [f"{name}: {value}" for name, value in self.headers.raw_items()]
        with open(os.path.join(FOLDER, "requests.log"), "a", encoding="utf-8") as log:
            log.write(json.dumps({"line": self.requestline, "headers": headers}) + "\n")
        answer = route(self.path)
        if answer.get("silent"):
            # Reads until the client gives up; nothing is ever sent. How long it waited is
            # measured here, where a loaded machine's slow observers cannot stretch it.
            asked = time.monotonic()
            try:
                self.rfile.read()
            except OSError:
                pass
            with open(os.path.join(FOLDER, "held.log"), "a", encoding="utf-8") as held:
                held.write(f"{time.monotonic() - asked:.1f}\n")
            return
        body = answer.get("body", "").encode("utf-8")
        if "body_file" in answer:
            with open(answer["body_file"], "rb") as source:
                body = source.read()
        self.send_response(answer.get("status", 200), answer.get("reason"))
        if "location" in answer:
            self.send_header("Location", answer["location"])
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        split = answer.get("stall_after", len(body))
        self.wfile.write(body[:split])
        self.wfile.flush()
        if split < len(body):
            wait_for(answer["release"], self)
            self.wfile.write(body[split:])


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(os.path.join(FOLDER, "port.tmp"), "w") as port:
        port.write(str(server.server_address[1]))
    os.replace(os.path.join(FOLDER, "port.tmp"), os.path.join(FOLDER, "port"))
    server.serve_forever()


if __name__ == "__main__":
    main()
