#include "client/core/connect_context.h"

#include <QDateTime>

#include <filesystem>
#include <string>
#include <system_error>

#include "client/core/default_locations.h"
#include "client/core/zol_client_app.h"
#include "guibase/windows1252_text.h"

namespace zol {

ConnectPlan PlanConnect(const CZOLClientApp& app) {
    return PlanConnect(app.Settings(), app.Connection());
}

void FillConnectContext(CZOLClientApp& app, ConnectSequenceContext& c) {
    const ClientSettings& s = app.Settings();
    c.clientName = s.clientName;
    c.backgroundColor = s.backgroundColor;
    c.textColor = s.textColor;
    c.homePageEnable = s.homePageEnable != 0;
    c.homePageName = s.homePageName;
    c.tempDir = EffectiveTempDir(s);
    // Looked up when the displays come: the theme pictures may still be
    // loading meanwhile.
    c.iconSets = [&app](std::string_view name) { return FindIconSet(app.Themes().sets, name); };
    const LocaleFormats& formats = app.Formats();
    c.formatDateTime = [&formats](const FieldDateTimeValue& v, bool withDate) {
        if (!v.valid)
            return std::string();
        const QDateTime when(QDate(v.year, v.month, v.day), QTime(v.hour, v.minute, v.second));
        const QString time = when.time().toString(formats.time);
        return ToWindows1252(
            withDate ? when.date().toString(formats.shortDate) + QLatin1Char(' ') + time : time);
    };
}

void PrepareForOpen(CZOLClientApp& app, bool viaRelay) {
    // No connection is open: the link's threads are gone, so settings may
    // change and the next reports carry the new generation.
    app.ApplyConnectionSettings();
    app.LinkEvents().BeginConnection();
    // The relay logs into the working folder, which a fresh install has not
    // made yet (the log itself makes only its file).
    if (viaRelay) {
        std::error_code ec;
        std::filesystem::create_directories(EffectiveTempDir(app.Settings()), ec);
    }
}

}  // namespace zol
