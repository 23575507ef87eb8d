// Content of single displays: text, most-recently-used lists, power graphs,
// HTML pages.
#include <algorithm>

#include "simulator/part_splitter.h"
#include "simulator/power_values.h"
#include "simulator/request_router.h"

namespace zol {

namespace {

// Raw HTML text per "GetDisplayHTML" chunk, well within one reply.
constexpr std::size_t kHtmlChunkBytes = 8192;

HandlerResult GetDisplayText(RequestContext& context) {
    const SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
    if (display == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    HandlerResult result;
    result.results.Add(display->text);
    return result;
}

HandlerResult GetDisplayMru(RequestContext& context) {
    // Two forms: the display's name (a most-recently-used display), or the
    // four numbers of an icon tile.
    const std::vector<int>* ids = &context.Design().mruObjectIds;
    if (context.FieldCount() == 3) {
        const SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
        if (display == nullptr) {
            return HandlerResult::Code(kResultLookupError);
        }
        ids = display->mruObjectIds.empty() ? &display->objectIds : &display->mruObjectIds;
    }
    HandlerResult result;
    for (int id : *ids) {
        result.results.Add(id);
    }
    return result;
}

HandlerResult GetDisplayGraph(RequestContext& context) {
    SimDesign& design = context.Design();
    const SimDisplay* display = design.FindDisplayByName(context.Text(4));
    if (display == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    HandlerResult result;
    result.results.Add(display->graphTitle).Add(static_cast<int>(display->graphBars.size())).Add(0);
    for (const SimGraphBar& bar : display->graphBars) {
        FieldBuilder fields;
        fields.Add(bar.name);
        if (!bar.stacked && bar.segments.size() == 1) {
            const SimGraphSegment& segment = bar.segments.front();
            fields.Add(segment.objectId)
                .Add(SegmentValue(design, segment))
                .Add(segment.red)
                .Add(segment.green)
                .Add(segment.blue);
        } else {
            int total = 0;
            for (const SimGraphSegment& segment : bar.segments) {
                total += SegmentValue(design, segment);
            }
            fields.Add(total);
            for (const SimGraphSegment& segment : bar.segments) {
                fields.Add(segment.objectId)
                    .Add(SegmentValue(design, segment))
                    .Add(segment.red)
                    .Add(segment.green)
                    .Add(segment.blue);
            }
        }
        result.results.Add(fields.Message());
    }
    return result;
}

HandlerResult GetDisplayHtml(RequestContext& context) {
    const SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
    if (display == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    const int chunk = context.Number(4);
    HandlerResult result;
    if (display->displayKind != 2) {
        // A page by address: one answer, later chunks end the loop.
        if (chunk != 0) {
            return HandlerResult::Code(kResultNoMoreData);
        }
        result.results.Add(display->htmlUrl);
        return result;
    }
    const std::size_t offset = static_cast<std::size_t>(std::max(chunk, 0)) * kHtmlChunkBytes;
    if (chunk < 0 || (offset >= display->htmlPage.size() && chunk != 0)) {
        return HandlerResult::Code(kResultNoMoreData);
    }
    result.results.Add(display->name)
        .Add(std::string_view(display->htmlPage)
                 .substr(std::min(offset, display->htmlPage.size()), kHtmlChunkBytes));
    return result;
}

}  // namespace

void RegisterDisplayRequests(RequestRouter& router) {
    router.Register("GetDisplayText", GetDisplayText);
    router.Register("GetDisplayMRU", GetDisplayMru);
    router.Register("GetDisplayGraph", GetDisplayGraph);
    router.Register("GetDisplayHTML", GetDisplayHtml);
}

}  // namespace zol
