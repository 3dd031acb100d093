#include "tscatalogue.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

TsMessage readMessage(QXmlStreamReader &xml, const QString &context)
{
    TsMessage message;
    message.context = context;
    message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (message.numerus) {
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("numerusform"))
                        message.forms << xml.readElementText();
                    else
                        xml.skipCurrentElement();
                }
            } else {
                message.translation = xml.readElementText();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return message;
}

} // namespace

bool TsCatalogue::read(const QString &path)
{
    m_messages.clear();
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("TS")) {
        m_error = QStringLiteral("not a catalogue");
        return false;
    }
    m_language = xml.attributes().value(QLatin1String("language")).toString();
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("context")) {
            xml.skipCurrentElement();
            continue;
        }
        QString context;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
                m_messages << readMessage(xml, context);
            else
                xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        m_error = xml.errorString();
        return false;
    }
    return true;
}
