#!/usr/bin/env python3
"""What a user would write instead of relayctl status: the same two exchanges with the
standard library, and the two bytes printed. Usage: status.py ADDRESS PORT"""
import socket
import sys


def exchange(sock, address, request):
    sock.sendto(request, address)
    reply, _ = sock.recvfrom(8192)
    digits = "".join(c for c in reply.decode("latin-1") if c.isdigit() and c.isascii())
    return int(digits) % 256 if digits else None


def main():
    address = (sys.argv[1], int(sys.argv[2]))
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as sock:
        sock.settimeout(1.0)
        inputs = exchange(sock, address, b"VEDOVIZ0")
        outputs = exchange(sock, address, b"VEDOVIZ2")
    if inputs is None or outputs is None:
        return 1
    print("inputs 0x%02X outputs 0x%02X" % (inputs, outputs))
    return 0


if __name__ == "__main__":
    sys.exit(main())
