// Answers of a back end gone wrong, for the transport's tests. A client reaches them by taking
// the fault's path as part of its base address, e.g. https://127.0.0.1:P/faults/echo, so every
// endpoint it calls lands here with the endpoint's path after the fault's.

#include "sandbox/SandboxRoutes.h"

#include <QRegularExpression>

// "/faults/redirect/<status>/<port>/...": answers the status with Location
// https://127.0.0.1:<port>/... (the rest of the path and the query kept), as a back end
// taken over would, to send the request with its credentials to another server.
SANDBOX_ROUTE("*", "/faults/redirect/*") {
    static const QRegularExpression shape(
        QStringLiteral("^/faults/redirect/(\\d{3})/(\\d+)(/.*)?$"));
    const QRegularExpressionMatch match = shape.match(request.path);
    if (!match.hasMatch())
        return SandboxReply::failure(400, QStringLiteral("Use /faults/redirect/STATUS/PORT/..."));
    QString location =
        QStringLiteral("https://127.0.0.1:%1%2").arg(match.captured(2), match.captured(3));
    if (!request.query.isEmpty()) {
        QStringList items;
        for (const auto& [name, value] : request.query)
            items << QString::fromLatin1(QUrl::toPercentEncoding(name)) + u'=' +
                         QString::fromLatin1(QUrl::toPercentEncoding(value));
        location += u'?' + items.join(u'&');
    }
    // A redirect's body may look like a successful answer: it must not be taken as one.
    return SandboxReply::ok()
        .withStatus(match.captured(1).toInt())
        .withHeader("Location", location.toUtf8());
}

// "/faults/echo/...": an HTML error page that echoes the request line, headers and body it
// received, as some proxies and servers do.
SANDBOX_ROUTE("*", "/faults/echo/*") {
    QByteArray page = "<html><head><title>500 Internal Server Error</title></head><body>\n"
                      "<h1>Internal Server Error</h1>\n<pre>\n";
    page += request.method.toUtf8() + ' ' + request.path.toUtf8() + '\n';
    for (const auto& [name, value] : request.headers)
        page += name + ": " + value + '\n';
    page += '\n' + request.body + "\n</pre></body></html>\n";
    return SandboxReply::raw(page, "text/html; charset=utf-8", 500);
}
