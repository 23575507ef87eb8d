// Requests about the connection itself: password, client options, ping,
// design identity, reference DPI, cloud token, user-dialog answers.
#include "simulator/request_router.h"
#include "simulator/user_dialog_pushes.h"

namespace zol {

namespace {

HandlerResult SetPassword(RequestContext& context) {
    // Fields: "ZOLObject", "ZOL.SetPassword", "4", password.
    if (context.Text(4) != context.Config().password) {
        return HandlerResult::Code(kResultNoPermission);
    }
    context.session.authorised = true;
    return {};
}

HandlerResult SetClientOptions(RequestContext& context) {
    context.session.clientOptions = context.Number(3);
    context.session.clientName = context.Text(4);
    return {};
}

HandlerResult Ping(RequestContext&) {
    return {};
}

HandlerResult TimeStamp(RequestContext& context) {
    HandlerResult result;
    result.results.Add(context.Design().designName).Add(context.Design().designTimeStamp);
    return result;
}

HandlerResult GetReferenceDpi(RequestContext& context) {
    if (!context.Config().referenceDpi) {
        return HandlerResult::Code(kResultUnknownRequest);
    }
    HandlerResult result;
    result.results.Add(*context.Config().referenceDpi);
    return result;
}

HandlerResult GetDesignTitle(RequestContext& context) {
    HandlerResult result;
    result.results.Add(context.Design().designTitle);
    return result;
}

HandlerResult GetCloudToken(RequestContext& context) {
    HandlerResult result;
    result.results.Add(context.Design().cloudToken);
    return result;
}

HandlerResult UserDialogReport(RequestContext& context) {
    // The answer goes to the server log too, where a person trying the
    // dialogs sees it ("log" on the control port); the client does not wait.
    std::vector<std::string> fields;
    for (std::size_t n = 1; n <= context.FieldCount(); ++n) {
        fields.push_back(context.Text(n));
    }
    context.Log(kLogMessages, "UserDialogReport " + DescribeUserDialogReport(fields));
    return {};
}

}  // namespace

void RegisterSessionRequests(RequestRouter& router) {
    router.Register("ZOL.SetPassword", SetPassword);
    router.Register("SetClientOptions", SetClientOptions);
    router.Register("Ping", Ping);
    router.Register("TimeStamp", TimeStamp);
    router.Register("GetReferenceDPI", GetReferenceDpi);
    router.Register("ZOL.GetDesignTitle", GetDesignTitle);
    router.Register("GetCloudToken", GetCloudToken);
    router.Register("UserDialogReport", UserDialogReport);
}

}  // namespace zol
