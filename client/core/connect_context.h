// What a connect takes from the application before its sequence runs: where
// it goes (the connection with the relay switches applied, the address
// looked up), the settings the load reads, and what is made ready while no
// connection is open. Shared by the connect the main frame runs and the one
// start-up runs ahead of the frame (EarlyConnect).
//
// Thread-safety: the user-interface thread; the lookups and formatting
// placed in the context may run on the sequence's thread.
#pragma once

#include <optional>

#include "client/core/connect_sequence.h"
#include "client/core/effective_connection.h"
#include "serverlink/server_target.h"

namespace zol {

class CZOLClientApp;

// The connection as the settings and the start's switches give it, the
// cloud switches applied, and its address looked up.
ConnectPlan PlanConnect(const CZOLClientApp& app);

// The settings the load reads, the icon-set lookup and the date format.
void FillConnectContext(CZOLClientApp& app, ConnectSequenceContext& context);

// With no connection open, just before the new one is opened: the link
// takes the current settings and the next reports the new generation.
void PrepareForOpen(CZOLClientApp& app, bool viaRelay);

}  // namespace zol
