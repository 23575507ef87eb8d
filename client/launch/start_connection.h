// Between the launcher (the zolclient program, without Qt) and the client
// proper (a module it loads): the program starts connecting while the
// module and Qt load, and the client's first connect goes on with that
// connection instead of opening its own.
#pragma once

#include <optional>
#include <string_view>

#include "serverlink/handed_over_connection.h"
#include "serverlink/server_target.h"

namespace zol {

class StartConnectionSource {
  public:
    // The connection begun at start if it went to `target` with `password`,
    // handed over between two requests; null when none was begun, it went
    // elsewhere, or it cannot be had soon (the begun one is then closed).
    // Once; from any thread.
    virtual std::optional<HandedOverConnection> Take(const ServerTarget& target,
                                                     std::string_view password) = 0;
    // Nothing will be taken: what was begun ends and is closed. Also cuts
    // short a Take still waiting.
    virtual void Decline() = 0;

  protected:
    ~StartConnectionSource() = default;
};

// The module's entry point: the program's main, with the connection begun
// at start (null when none).
using ClientMainFunction = int (*)(int argc, char** argv, StartConnectionSource* started);
inline constexpr char kClientMainSymbol[] = "ZolClientMain";
inline constexpr char kClientModuleFile[] = "libzolclientapp.so";

}  // namespace zol
