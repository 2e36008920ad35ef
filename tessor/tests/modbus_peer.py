#!/usr/bin/python3
"""A Modbus TCP server for Tessor's tests, built on pymodbus (Debian python3-pymodbus).

It binds 127.0.0.1 on a free port and prints one line when it is ready:
    PORT <modbus port> CONTROL <control port>
The control port takes one command per line and answers with lines ending in "END":
    log                      every request received since the last clear, one per line:
                             fc=<n> unit=<n> addr=<n> count=<n> [values=<v>,<v>...]
    clear                    forget the log
    connections              how many connections the Modbus port has accepted
    mode normal|silent|drop  answer; never answer; close the connection instead of answering
    exception <code>|off     answer every request with that exception code (0-255), or normally
    patch <offset> <byte>... overwrite these bytes of every reply (offsets in the whole Modbus TCP
                             frame: 2-3 protocol identifier, 6 unit, 8-11 address and count echoed)
    patch off                send replies as built
    delay <ms>               answer every request that much later
    close                    close every open Modbus connection now
    set <co|di|hr|ir> <addr> <v>...   store values
    get <co|di|hr|ir> <addr> <n>      read values back
Only loopback is ever bound; the process ends on SIGTERM or when stdin reaches end of file
is not awaited (tests stop it with SIGTERM).
"""
import asyncio
import logging
import sys

from pymodbus.datastore import (ModbusSequentialDataBlock, ModbusServerContext,
                                ModbusSlaveContext)
from pymodbus.framer.socket_framer import ModbusSocketFramer
from pymodbus.server.async_io import ModbusConnectedRequestHandler, ModbusTcpServer

logging.disable(logging.CRITICAL)
HOST = "127.0.0.1"
SPACE = 65536
TABLES = {"co": 1, "di": 2, "hr": 3, "ir": 4}


class PeerState:
    def __init__(self):
        self.mode = "normal"
        self.exception = None
        self.patch = []
        self.delay_ms = 0
        self.log = []
        self.connections = 0
        self.handlers = set()


STATE = PeerState()


def describe(request):
    fc = request.function_code
    line = f"fc={fc} unit={request.unit_id} addr={request.address}"
    if fc in (1, 2, 3, 4):
        line += f" count={request.count}"
    elif fc == 5:
        line += f" count=1 values={1 if request.value else 0}"
    elif fc == 6:
        line += f" count=1 values={request.value}"
    elif fc == 15:
        bits = [1 if b else 0 for b in request.values]
        line += f" count={len(bits)} values=" + ",".join(map(str, bits))
    elif fc == 16:
        line += f" count={len(request.values)} values=" + ",".join(map(str, request.values))
    return line


class RecordingHandler(ModbusConnectedRequestHandler):
    def connection_made(self, transport):
        STATE.connections += 1
        STATE.handlers.add(self)
        super().connection_made(transport)

    def connection_lost(self, call_exc):
        STATE.handlers.discard(self)
        super().connection_lost(call_exc)

    def execute(self, request, *addr):
        STATE.log.append(describe(request))
        if STATE.mode == "silent":
            return
        if STATE.mode == "drop":
            self.transport.close()
            return
        if STATE.delay_ms:
            asyncio.get_event_loop().call_later(
                STATE.delay_ms / 1000.0, self.answer, request, addr)
        else:
            self.answer(request, addr)

    def answer(self, request, addr):
        if self.transport.is_closing():
            return
        if STATE.exception is not None:
            response = request.doException(STATE.exception)
            response.transaction_id = request.transaction_id
            response.unit_id = request.unit_id
            self.send(response, *addr)
            return
        super().execute(request, *addr)

    def send(self, message, *addr, **kwargs):
        if not STATE.patch or kwargs.get("skip_encoding"):
            super().send(message, *addr, **kwargs)
            return
        packet = bytearray(self.framer.buildPacket(message))
        for offset, value in STATE.patch:
            packet[offset] = value
        super().send(bytes(packet), *addr, skip_encoding=True)


def control(command, context):
    words = command.split()
    if not words:
        return []
    verb, args = words[0], words[1:]
    if verb == "log":
        return list(STATE.log)
    if verb == "clear":
        STATE.log.clear()
    elif verb == "connections":
        return [str(STATE.connections)]
    elif verb == "mode":
        STATE.mode = args[0]
    elif verb == "exception":
        STATE.exception = None if args[0] == "off" else int(args[0])
    elif verb == "patch":
        numbers = [] if args[0] == "off" else [int(v) for v in args]
        STATE.patch = list(zip(numbers[0::2], numbers[1::2]))
    elif verb == "delay":
        STATE.delay_ms = int(args[0])
    elif verb == "close":
        for handler in list(STATE.handlers):
            handler.transport.close()
    elif verb == "set":
        context[0].setValues(TABLES[args[0]], int(args[1]), [int(v) for v in args[2:]])
    elif verb == "get":
        values = context[0].getValues(TABLES[args[0]], int(args[1]), int(args[2]))
        return [" ".join(str(int(v)) for v in values)]
    else:
        return ["ERROR unknown command"]
    return []


async def main():
    block = lambda: ModbusSequentialDataBlock(0, [0] * SPACE)
    slave = ModbusSlaveContext(co=block(), di=block(), hr=block(), ir=block(), zero_mode=True)
    context = ModbusServerContext(slaves=slave, single=True)
    server = ModbusTcpServer(context, ModbusSocketFramer, None, (HOST, 0),
                             handler=RecordingHandler, allow_reuse_address=True)
    serving = asyncio.create_task(server.serve_forever())
    await server.serving

    async def on_control(reader, writer):
        while line := await reader.readline():
            for out in control(line.decode().strip(), context):
                writer.write(out.encode() + b"\n")
            writer.write(b"END\n")
            await writer.drain()
        writer.close()

    control_server = await asyncio.start_server(on_control, HOST, 0)
    port = server.server.sockets[0].getsockname()[1]
    control_port = control_server.sockets[0].getsockname()[1]
    print(f"PORT {port} CONTROL {control_port}", flush=True)
    await serving


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
