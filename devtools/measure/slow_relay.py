#!/usr/bin/env python3
"""A byte relay in front of an audio server's socket that answers each connection late, as a
loaded machine or a busy desktop's server does: every connection made to LISTEN is held DELAY_MS
before it is joined to UPSTREAM; bytes then pass both ways unchanged. Descriptors cannot pass a
relay, so its clients must not use shared memory (enable-shm = no in their client.conf).
Usage: slow_relay.py LISTEN UPSTREAM DELAY_MS   (runs until killed)"""
import asyncio
import os
import sys


async def pipe(reader, writer):
    try:
        while data := await reader.read(65536):
            writer.write(data)
            await writer.drain()
    except (ConnectionError, OSError):
        pass
    finally:
        writer.close()


async def main(listen, upstream, delay):
    async def relay(client_reader, client_writer):
        await asyncio.sleep(delay)
        try:
            server_reader, server_writer = await asyncio.open_unix_connection(upstream)
        except OSError:
            client_writer.close()
            return
        await asyncio.gather(pipe(client_reader, server_writer), pipe(server_reader, client_writer))

    if os.path.exists(listen):
        os.unlink(listen)
    server = await asyncio.start_unix_server(relay, path=listen)
    os.chmod(listen, 0o777)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    asyncio.run(main(sys.argv[1], sys.argv[2], int(sys.argv[3]) / 1000))
