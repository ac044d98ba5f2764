#!/usr/bin/env python3
"""Exits 0 when the X display named by DISPLAY accepts a connection, else 1 with the reason on stderr.

usage: display-reachable.py
Only the socket is tried (a local one for ":N", TCP port 6000+N for "host:N"); whether the server lets this
user in is left to the program that opens the display.
"""
import os
import re
import socket
import sys


def reachable(display):
    match = re.match(r"^(?P<host>[^:]*):(?P<number>\d+)(\.\d+)?$", display or "")
    if not match:
        return f"DISPLAY is {'not set' if not display else repr(display) + ', not a display name like :0'}"
    host, number = match.group("host"), int(match.group("number"))
    try:
        if host in ("", "unix"):
            path = f"/tmp/.X11-unix/X{number}"
            with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
                connection.settimeout(3)
                try:
                    connection.connect(path)
                except OSError:
                    connection.connect("\0" + path)  # the abstract socket some servers offer only
        else:
            socket.create_connection((host, 6000 + number), timeout=3).close()
    except OSError as error:
        return f"the display {display} does not answer ({error.strerror or error})"
    return None


if __name__ == "__main__":
    problem = reachable(os.environ.get("DISPLAY"))
    if problem:
        print(problem, file=sys.stderr)
    sys.exit(1 if problem else 0)
