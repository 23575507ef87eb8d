// A view showing one tiled display whose tiles the test gives, with the
// server scripted by method name and the person's side recorded. Tiles are
// created by the view as in the client (ShowDisplay), so each test meets
// the tile after its first UpdateTile.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "client/core/client_settings.h"
#include "client/core/extended_status_receivers.h"
#include "client/display/tile_window.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"
#include "client/model/tests/model_fakes.h"
#include "client/model/tests/scripted_channel.h"
#include "client/tests/temp_dir.h"

namespace zol::testing {

class TileFixture : public ::testing::Test {
  protected:
    TileFixture() : channel_([this](const ReplyFields& request) { return Answer(request); }) {
        theme_.name = "Theme_110_110";
        theme_.cxCell = theme_.cyCell = 160;
        theme_.cxStandard = theme_.cyStandard = 110;
        settings_.clientName = "Panel";
        settings_.tempDirPath = dir_.Path().string();
        auto display = std::make_unique<DisplayRecord>();
        display->name = "Dashboard";
        display->displayId = kDashboardId;
        display->displayKind = DisplayTiled;
        display->layoutTheme = &theme_;
        design_.displays.push_back(std::move(display));
    }
    ~TileFixture() override { CloseView(); }

    static constexpr std::int32_t kDashboardId = 1;

    // A tile of `type` with `data`, 8 × 8 quarter cells at (x, 0).
    TileRecord& AddTile(std::int32_t type, TileData data, int x = 0) {
        TileRecord tile;
        tile.tileType = type;
        tile.tileId = static_cast<std::int32_t>(Dashboard().tiles.size()) + 1;
        tile.gridX = x;
        tile.gridWidth = 8;
        tile.gridHeight = 8;
        tile.backColor = 0x382A1E;
        tile.labelColor = 0xFFFFFF;
        tile.typeData = std::move(data);
        return Dashboard().tiles.emplace_back(std::move(tile));
    }
    DisplayRecord& Dashboard() { return *design_.displays.front(); }
    DesignObject& AddObject(std::int32_t id, std::string location, std::int32_t metered,
                            std::int32_t level) {
        auto object = std::make_unique<DesignObject>();
        object->objectId = id;
        object->name = "Object " + std::to_string(id);
        object->location = std::move(location);
        object->metered = metered;
        object->level = level;
        return *design_.objects.emplace_back(std::move(object));
    }

    // Shows the dashboard; the tiles are made and updated.
    void Show() {
        DisplayServices services;
        services.design = [this] { return &design_; };
        services.settings = &settings_;
        services.channel = &channel_;
        services.reporter = &reporter_;
        services.mainFrame = [this]() -> QObject* { return mainFrame_; };
        services.refreshAllowed = [] { return true; };
        services.makeClock = [] { return std::make_unique<FakeClock>(); };
        services.statusReceivers = &receivers_;
        services.screenDpi = 96;
        view_ = std::make_unique<CZOLClientView>(services);
        view_->resize(1200, 800);
        view_->ShowDisplay(kDashboardId);
    }
    template <typename T>
    T* Tile(std::size_t index = 0) {
        const std::vector<CTileWindow*> tiles = view_->TileWindows();
        return index < tiles.size() ? dynamic_cast<T*>(tiles[index]) : nullptr;
    }
    void CloseView() {
        if (view_ == nullptr)
            return;
        view_->ClearCurrentDisplay();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        view_.reset();
    }
    int Requests(const std::string& method) const {
        int count = 0;
        for (const std::string& name : channel_.Methods())
            count += name == method;
        return count;
    }

    // The reply to a request, by its method name; unknown methods time out.
    std::map<std::string, std::function<ScriptedReply(const ReplyFields&)>> server_;

    TempDir dir_;
    IconSet theme_;
    ClientSettings settings_;
    Design design_;
    ScriptedChannel channel_;
    FakeReporter reporter_;
    ExtendedStatusReceivers receivers_;
    QObject* mainFrame_ = nullptr;
    std::unique_ptr<CZOLClientView> view_;

  private:
    ScriptedReply Answer(const ReplyFields& request) {
        const auto it = server_.find(std::string(request.Text(2)));
        return it != server_.end() ? it->second(request) : ScriptedReply{1, ""};
    }
};

}  // namespace zol::testing
