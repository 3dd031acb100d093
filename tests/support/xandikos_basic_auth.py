#!/usr/bin/python3
"""Serve a Xandikos store on 127.0.0.1 behind HTTP Basic authentication.

Xandikos leaves authentication to a front server; tests need a CalDAV server
that rejects wrong credentials, so this wraps its application the way a
front server would.
"""

import argparse
import base64
import logging
import os

from aiohttp import web
from xandikos import web as xweb


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--directory", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--principal", default="/user/")
    options = parser.parse_args()

    logging.basicConfig(level=logging.WARNING)

    backend = xweb.XandikosBackend(options.directory)
    backend._mark_as_principal(options.principal)
    os.makedirs(options.directory, exist_ok=True)
    backend.create_principal(options.principal, create_defaults=True)
    dav = xweb.XandikosApp(backend, current_user_principal=options.principal)

    expected = "Basic " + base64.b64encode(
        ("%s:%s" % (options.user, options.password)).encode("utf-8")).decode("ascii")

    @web.middleware
    async def basic_auth(request, handler):
        if request.headers.get("Authorization") != expected:
            return web.Response(status=401, text="Unauthorized",
                                headers={"WWW-Authenticate": 'Basic realm="xandikos"'})
        return await handler(request)

    async def dav_handler(request):
        return await dav.aiohttp_handler(request, "/")

    app = web.Application(middlewares=[basic_auth])
    for path in xweb.WELLKNOWN_DAV_PATHS:
        app.router.add_route("*", path, xweb.RedirectDavHandler("/").__call__)
    app.router.add_route("*", "/{path_info:.*}", dav_handler)
    web.run_app(app, host="127.0.0.1", port=options.port, print=None,
                access_log=None)


if __name__ == "__main__":
    main()
