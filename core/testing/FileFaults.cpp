#include "core/testing/FileFaults.h"

#include <utility>

namespace zephlan {

SeamAction::SeamAction(AppendMoment moment, std::function<void()> action)
{
    setAppendSeam([moment, action = std::move(action)](AppendMoment now) {
        if (now == moment)
            action();
    });
}

SeamAction::~SeamAction()
{
    setAppendSeam({});
}

} // namespace zephlan
