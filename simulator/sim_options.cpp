#include "simulator/sim_options.h"

#include <QRegularExpression>

namespace zol {

namespace {

using namespace Qt::Literals::StringLiterals;

bool ReadPort(const QString& text, quint16& port) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value > 65535) {
        return false;
    }
    port = static_cast<quint16>(value);
    return true;
}

}  // namespace

void AddSimOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {u"port"_s, u"Server port on 127.0.0.1 (0: any free port; default 2000)."_s, u"port"_s},
        {u"control-port"_s, u"Control port on 127.0.0.1 (default: any free port)."_s, u"port"_s},
        {u"design"_s, u"Design file (JSON) to serve."_s, u"file"_s},
        {u"generate"_s, u"Serve a generated design: objects=N,displays=M,tiles=K[,icons=I]."_s,
         u"spec"_s},
        {u"server-version"_s, u"Version in the greeting (default 19.1.3)."_s, u"M.m.b"_s},
        {u"greeting-letters"_s, u"Greeting letters accepted (default FED)."_s, u"letters"_s},
        {u"password"_s, u"Remote-access password clients must send."_s, u"text"_s},
        {u"reference-dpi"_s, u"GetReferenceDPI answer, or off for -104 (default 96)."_s, u"dpi"_s},
        {u"check"_s, u"Load the design, report on it and end."_s},
    });
}

std::string ReadSimOptions(const QCommandLineParser& parser, SimOptions& options) {
    if (parser.isSet(u"port"_s) && !ReadPort(parser.value(u"port"_s), options.port)) {
        return "--port: expected 0 to 65535";
    }
    if (parser.isSet(u"control-port"_s) &&
        !ReadPort(parser.value(u"control-port"_s), options.controlPort)) {
        return "--control-port: expected 0 to 65535";
    }
    options.designPath = parser.value(u"design"_s);
    if (parser.isSet(u"generate"_s)) {
        if (!options.designPath.isEmpty()) {
            return "--design and --generate exclude each other";
        }
        GenerateSpec spec;
        const std::string refusal =
            ParseGenerateSpec(parser.value(u"generate"_s).toStdString(), spec);
        if (!refusal.empty()) {
            return "--generate: " + refusal;
        }
        options.generate = spec;
    }
    if (parser.isSet(u"server-version"_s)) {
        static const QRegularExpression kVersion(u"^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"_s);
        const QRegularExpressionMatch match = kVersion.match(parser.value(u"server-version"_s));
        if (!match.hasMatch()) {
            return "--server-version: expected M.m.b with parts 0 to 999";
        }
        options.config.versionMajor = match.captured(1).toInt();
        options.config.versionMinor = match.captured(2).toInt();
        options.config.versionBuild = match.captured(3).toInt();
    }
    if (parser.isSet(u"greeting-letters"_s)) {
        options.config.acceptedLetters = parser.value(u"greeting-letters"_s).toStdString();
    }
    options.config.password = parser.value(u"password"_s).toLatin1().toStdString();
    if (parser.isSet(u"reference-dpi"_s)) {
        const QString dpi = parser.value(u"reference-dpi"_s);
        bool ok = false;
        const int value = dpi.toInt(&ok);
        if (dpi == u"off"_s) {
            options.config.referenceDpi.reset();
        } else if (ok && value > 0) {
            options.config.referenceDpi = value;
        } else {
            return "--reference-dpi: expected a positive number or off";
        }
    }
    options.checkOnly = parser.isSet(u"check"_s);
    return {};
}

}  // namespace zol
