// Ready-made "UserDialog" pushes for the control port's "dialog" command, so
// a person (or a test) can ask the client each kind of question without
// writing its 32 fields by hand.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zol {

// The fields of the push, from "0", "ZOLApp", "UserDialog" on, for a kind
// name (number, text, time, choice, keys, alert, other) and options
// `name=value` or flags: id=N, timeout=S, activity, masked, keyboard,
// initial=V, prompt=TEXT, alertkind=K. Nothing for an unknown kind or
// option; `error` then says why.
std::optional<std::vector<std::string>> UserDialogPushFields(
    const std::string& kindName, const std::vector<std::string>& options, std::string& error);

// "kind=<k> code=<c> id=<d> type=<t> answer=<text>" of a decoded
// "UserDialogReport" (fields 3 to 7), or empty when `fields` is no report.
std::string DescribeUserDialogReport(const std::vector<std::string>& fields);

}  // namespace zol
