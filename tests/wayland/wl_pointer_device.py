#!/usr/bin/env python3
"""Gives a headless compositor's seat a pointer, and moves it by the lines read from stdin.

A headless wlroots compositor starts without input devices, so its seat has no pointer and
no client is sent any pointer event, whatever `swaymsg seat - cursor` does. A virtual
pointer (wlr virtual pointer protocol) is such a device. `swaymsg seat - cursor set` warps
the cursor without moving a window that the compositor is dragging; the line "motion DX DY"
moves the pointer as a mouse does. The device lives until stdin closes. Spoken on the raw
wire protocol so the test needs no compiled Wayland client.
"""
import os
import socket
import struct
import sys
import time

DISPLAY_ID, REGISTRY_ID, CALLBACK_ID, MANAGER_ID, POINTER_ID = 1, 2, 3, 4, 5
MANAGER = "zwlr_virtual_pointer_manager_v1"


def message(object_id, opcode, payload=b""):
    return struct.pack("<II", object_id, ((8 + len(payload)) << 16) | opcode) + payload


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def events(sock):
    buffer = b""
    while True:
        while len(buffer) >= 8:
            object_id, word = struct.unpack_from("<II", buffer)
            size = word >> 16
            if len(buffer) < size:
                break
            yield object_id, word & 0xFFFF, buffer[8:size]
            buffer = buffer[size:]
        chunk = sock.recv(4096)
        if not chunk:
            raise SystemExit("wl_pointer_device: the compositor closed the connection")
        buffer += chunk


def main():
    path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ.get("WAYLAND_DISPLAY", "wayland-0"))
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    sock.connect(path)
    sock.sendall(message(DISPLAY_ID, 1, struct.pack("<I", REGISTRY_ID))  # get_registry
                 + message(DISPLAY_ID, 0, struct.pack("<I", CALLBACK_ID)))  # sync
    manager = None
    for object_id, opcode, body in events(sock):
        if object_id == REGISTRY_ID and opcode == 0:  # global: name, interface, version
            name, length = struct.unpack_from("<II", body)
            interface = body[8:8 + length - 1].decode()
            if interface == MANAGER:
                manager = name
        elif object_id == DISPLAY_ID and opcode == 0:  # error
            raise SystemExit("wl_pointer_device: protocol error %r" % (body,))
        elif object_id == CALLBACK_ID and opcode == 0:  # done: every global has been listed
            break
    if manager is None:
        raise SystemExit("wl_pointer_device: the compositor offers no " + MANAGER)
    sock.sendall(message(REGISTRY_ID, 0, struct.pack("<I", manager) + string(MANAGER)
                         + struct.pack("<II", 1, MANAGER_ID))  # bind, version 1
                 + message(MANAGER_ID, 0, struct.pack("<II", 0, POINTER_ID))  # any seat
                 + message(DISPLAY_ID, 0, struct.pack("<I", CALLBACK_ID + 3)))
    for object_id, opcode, body in events(sock):
        if object_id == DISPLAY_ID and opcode == 0:
            raise SystemExit("wl_pointer_device: protocol error %r" % (body,))
        if object_id == CALLBACK_ID + 3 and opcode == 0:
            break
    print("pointer ready", flush=True)
    while True:
        line = sys.stdin.readline()
        if not line:
            return
        words = line.split()
        if len(words) == 3 and words[0] == "motion":
            now = struct.pack("<I", int(time.monotonic() * 1000) & 0xFFFFFFFF)
            dx, dy = (int(float(w) * 256) for w in words[1:])  # wl_fixed
            sock.sendall(message(POINTER_ID, 0, now + struct.pack("<ii", dx, dy))  # motion
                         + message(POINTER_ID, 4))  # frame
            print("moved", words[1], words[2], flush=True)


if __name__ == "__main__":
    main()
