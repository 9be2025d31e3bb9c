#include "sandbox/SandboxRequest.h"

#include <QJsonDocument>
#include <QUrl>

QByteArray SandboxRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

bool SandboxRequest::hasHeader(const QByteArray& name) const {
    for (const auto& entry : headers)
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QList<QByteArray> SandboxRequest::headerNames() const {
    QList<QByteArray> names;
    for (const auto& entry : headers)
        names << entry.first;
    return names;
}

QString SandboxRequest::field(const QString& name) const {
    for (const auto& [key, value] : fields)
        if (key == name)
            return value;
    return {};
}

bool SandboxRequest::hasField(const QString& name) const {
    for (const auto& entry : fields)
        if (entry.first == name)
            return true;
    return false;
}

QStringList SandboxRequest::fieldNames() const {
    QStringList names;
    for (const auto& entry : fields)
        names << entry.first;
    return names;
}

const SandboxFile* SandboxRequest::file(const QString& field) const {
    for (const SandboxFile& part : files)
        if (part.field == field)
            return &part;
    return nullptr;
}

QString SandboxRequest::queryItem(const QString& name) const {
    for (const auto& [key, value] : query)
        if (key == name)
            return value;
    return {};
}

bool SandboxRequest::hasQueryItem(const QString& name) const {
    for (const auto& entry : query)
        if (entry.first == name)
            return true;
    return false;
}

QString SandboxRequest::param(const QString& name) const {
    return hasField(name) ? field(name) : queryItem(name);
}

namespace SandboxBodyParser {

namespace {

QByteArray unquote(QByteArray value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

// The delimiter lines of a multipart body: "--boundary" at the start of the body or of a line.
QList<qsizetype> delimiterPositions(const QByteArray& body, const QByteArray& delimiter) {
    QList<qsizetype> positions;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = body.indexOf(delimiter, from);
        if (at < 0)
            break;
        if (at == 0 || (at >= 2 && body[at - 2] == '\r' && body[at - 1] == '\n') ||
            (at >= 1 && body[at - 1] == '\n'))
            positions << at;
        from = at + delimiter.size();
    }
    return positions;
}

} // namespace

QByteArray headerParameter(const QByteArray& headerValue, const QByteArray& name) {
    const QList<QByteArray> pieces = headerValue.split(';');
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QByteArray piece = pieces[i].trimmed();
        const qsizetype eq = piece.indexOf('=');
        if (eq > 0 && piece.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return unquote(piece.mid(eq + 1));
    }
    return {};
}

bool parseMultipart(const QByteArray& body, const QByteArray& boundary,
                    QList<QPair<QString, QString>>& fields, QList<SandboxFile>& files) {
    if (boundary.isEmpty())
        return false;
    const QByteArray delimiter = "--" + boundary;
    const QList<qsizetype> positions = delimiterPositions(body, delimiter);
    if (positions.isEmpty())
        return false;
    for (qsizetype i = 0; i + 1 < positions.size(); ++i) {
        qsizetype start = positions[i] + delimiter.size();
        if (body.mid(start, 2) == "--")
            break; // closing delimiter
        // Skip to the end of the delimiter line.
        const qsizetype lineEnd = body.indexOf('\n', start);
        if (lineEnd < 0 || lineEnd >= positions[i + 1])
            continue;
        start = lineEnd + 1;
        qsizetype end = positions[i + 1];
        if (end >= 2 && body[end - 2] == '\r' && body[end - 1] == '\n')
            end -= 2;
        else if (end >= 1 && body[end - 1] == '\n')
            end -= 1;
        const QByteArray part = end > start ? body.mid(start, end - start) : QByteArray();

        // Headers end at the first blank line; a part cut right after its headers has none.
        QByteArray headerBlock = part;
        QByteArray content;
        qsizetype split = part.indexOf("\r\n\r\n");
        qsizetype skip = 4;
        if (split < 0) {
            split = part.indexOf("\n\n");
            skip = 2;
        }
        if (split >= 0) {
            headerBlock = part.left(split);
            content = part.mid(split + skip);
        }

        QByteArray disposition;
        QByteArray contentType;
        for (const QByteArray& rawLine : headerBlock.split('\n')) {
            const QByteArray line = rawLine.trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name.compare("Content-Disposition", Qt::CaseInsensitive) == 0)
                disposition = value;
            else if (name.compare("Content-Type", Qt::CaseInsensitive) == 0)
                contentType = value;
        }
        const QString name = QString::fromUtf8(headerParameter(disposition, "name"));
        // headerParameter skips the first piece ("form-data"); a filename may be empty but present.
        bool hasFileName = false;
        QByteArray fileName;
        for (const QByteArray& piece : disposition.split(';')) {
            const QByteArray trimmed = piece.trimmed();
            if (trimmed.startsWith("filename=") || trimmed.startsWith("filename =")) {
                hasFileName = true;
                fileName = unquote(trimmed.mid(trimmed.indexOf('=') + 1));
            }
        }
        if (hasFileName)
            files << SandboxFile{name, QString::fromUtf8(fileName), QString::fromUtf8(contentType),
                                 content};
        else
            fields << qMakePair(name, QString::fromUtf8(content));
    }
    return true;
}

QList<QPair<QString, QString>> parseUrlEncoded(const QByteArray& text) {
    QList<QPair<QString, QString>> pairs;
    auto decode = [](QByteArray value) {
        value.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
    };
    for (const QByteArray& piece : text.split('&')) {
        if (piece.isEmpty())
            continue;
        const qsizetype eq = piece.indexOf('=');
        if (eq < 0)
            pairs << qMakePair(decode(piece), QString());
        else
            pairs << qMakePair(decode(piece.left(eq)), decode(piece.mid(eq + 1)));
    }
    return pairs;
}

void parseBody(SandboxRequest& request) {
    const QByteArray contentType = request.header("Content-Type");
    const QByteArray mediaType = contentType.split(';').first().trimmed().toLower();
    bool parsed = false;
    if (mediaType.startsWith("multipart/"))
        parsed = parseMultipart(request.body, headerParameter(contentType, "boundary"),
                                request.fields, request.files);
    else if (mediaType == "application/x-www-form-urlencoded") {
        request.fields = parseUrlEncoded(request.body);
        parsed = true;
    }
    // JSON is read whatever the announced type: some clients send a JSON body under a
    // multipart content type.
    const QByteArray trimmed = request.body.trimmed();
    if (!parsed || mediaType.contains("json") ||
        (trimmed.startsWith('{') || trimmed.startsWith('['))) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(request.body, &error);
        if (error.error == QJsonParseError::NoError && !doc.isNull())
            request.json = doc.toVariant();
    }
}

} // namespace SandboxBodyParser
