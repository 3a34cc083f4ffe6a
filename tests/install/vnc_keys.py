#!/usr/bin/env python3
"""Presses keys in a program that shows its windows on Qt's VNC platform
(QT_QPA_PLATFORM=vnc:port=N), as a user at that screen would.

    vnc_keys.py PORT KEY...

KEY is a key name: Return, Escape, Tab, Up, Down, or a single character.
The keys go to the window that has the focus. Exits 1 when no VNC server
answers on 127.0.0.1:PORT within ten seconds.
"""
import socket
import struct
import sys
import time

KEYSYMS = {
    "Return": 0xFF0D,
    "Escape": 0xFF1B,
    "Tab": 0xFF09,
    "Up": 0xFF52,
    "Down": 0xFF54,
}


def read_exactly(sock, count):
    data = b""
    while len(data) < count:
        chunk = sock.recv(count - len(data))
        if not chunk:
            raise ConnectionError("the VNC server closed the connection")
        data += chunk
    return data


def connect(port):
    deadline = time.monotonic() + 10
    while True:
        try:
            return socket.create_connection(("127.0.0.1", port), timeout=10)
        except OSError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.2)


def handshake(sock):
    version = read_exactly(sock, 12)
    if not version.startswith(b"RFB "):
        raise ConnectionError("not a VNC server: %r" % version)
    if version >= b"RFB 003.008\n":
        sock.sendall(b"RFB 003.008\n")
        (count,) = struct.unpack("B", read_exactly(sock, 1))
        types = read_exactly(sock, count)
        if 1 not in types:
            raise ConnectionError("the VNC server wants a password")
        sock.sendall(b"\x01")
        (result,) = struct.unpack(">I", read_exactly(sock, 4))
        if result != 0:
            raise ConnectionError("the VNC server refused the connection")
    else:
        # Version 3.3: the server names the security type; 1 is none.
        sock.sendall(b"RFB 003.003\n")
        (security,) = struct.unpack(">I", read_exactly(sock, 4))
        if security != 1:
            raise ConnectionError("the VNC server wants a password")
    sock.sendall(b"\x01")  # shared: other clients may stay
    init = read_exactly(sock, 24)
    (name_length,) = struct.unpack(">I", init[20:24])
    read_exactly(sock, name_length)


def press(sock, name):
    keysym = KEYSYMS.get(name, ord(name) if len(name) == 1 else None)
    if keysym is None:
        raise ValueError("unknown key %s" % name)
    for down in (1, 0):
        sock.sendall(struct.pack(">BBxxI", 4, down, keysym))
        time.sleep(0.05)


def main():
    if len(sys.argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    port = int(sys.argv[1])
    try:
        with connect(port) as sock:
            handshake(sock)
            for name in sys.argv[2:]:
                press(sock, name)
            time.sleep(0.2)  # the server takes the keys before the line closes
    except (OSError, ConnectionError) as error:
        sys.stderr.write("vnc_keys.py: %s\n" % error)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
