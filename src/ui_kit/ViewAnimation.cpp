#include "ui_kit/ViewAnimation.h"

#include "platform/ui/View.h"

#include <algorithm>
#include <memory>

namespace {

struct Group {
    std::vector<ViewAnimation::Change> changes;
    bool hasContext = false;
    QPointer<QObject> context;
    Clock* clock = nullptr;
    Clock::Handle handle = 0;
    std::function<void(bool)> completion;
    bool ended = false;
};

std::vector<std::shared_ptr<Group>>& runningGroups() {
    static std::vector<std::shared_ptr<Group>> groups;
    return groups;
}

void forget(const std::shared_ptr<Group>& group) {
    auto& groups = runningGroups();
    groups.erase(std::remove(groups.begin(), groups.end(), group), groups.end());
}

// Groups whose widgets are all gone (for instance left on a clock that was replaced) can never
// be removed by a widget again.
void pruneOrphans() {
    auto& groups = runningGroups();
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                                [](const std::shared_ptr<Group>& group) {
                                    return std::none_of(group->changes.begin(),
                                                        group->changes.end(),
                                                        [](const ViewAnimation::Change& c) {
                                                            return !c.view.isNull();
                                                        });
                                }),
                 groups.end());
}

void applyChanges(const std::vector<ViewAnimation::Change>& changes, double progress) {
    for (const ViewAnimation::Change& c : changes) {
        if (!c.view)
            continue;
        if (c.isFrame) {
            auto lerp = [progress](int from, int to) {
                return from + qRound((to - from) * progress);
            };
            c.view->setGeometry(lerp(c.fromFrame.x(), c.toFrame.x()),
                                lerp(c.fromFrame.y(), c.toFrame.y()),
                                lerp(c.fromFrame.width(), c.toFrame.width()),
                                lerp(c.fromFrame.height(), c.toFrame.height()));
        } else {
            View::setAlpha(c.view, c.fromAlpha + (c.toAlpha - c.fromAlpha) * progress);
        }
    }
}

bool touches(const Group& group, const QWidget* view) {
    return std::any_of(group.changes.begin(), group.changes.end(),
                       [view](const ViewAnimation::Change& c) { return c.view == view; });
}

} // namespace

ViewAnimation& ViewAnimation::frame(QWidget* view, const QRect& to) {
    if (view)
        changes_.push_back({view, true, view->geometry(), to, 1, 1});
    return *this;
}

ViewAnimation& ViewAnimation::origin(QWidget* view, const QPoint& to) {
    return view ? frame(view, QRect(to, view->size())) : *this;
}

ViewAnimation& ViewAnimation::alpha(QWidget* view, double to) {
    if (view)
        changes_.push_back({view, false, {}, {}, View::alpha(view), to});
    return *this;
}

void ViewAnimation::start(QObject* context, int durationMs,
                          std::function<void(bool finished)> completion, int delayMs) {
    pruneOrphans();
    auto group = std::make_shared<Group>();
    group->changes = std::move(changes_);
    changes_.clear();
    group->hasContext = context != nullptr;
    group->context = context;
    group->clock = &Clock::current();
    group->completion = std::move(completion);
    runningGroups().push_back(group);
    std::weak_ptr<Group> weak = group;
    Clock::AnimationOptions options;
    options.delayMs = delayMs;
    group->handle = group->clock->animate(
        durationMs, context,
        [weak](double progress) {
            if (auto g = weak.lock(); g && !g->ended)
                applyChanges(g->changes, progress);
        },
        [group](bool finished) {
            if (group->ended)
                return; // removed: its completion was sent on its own
            group->ended = true;
            forget(group);
            if (finished)
                applyChanges(group->changes, 1.0);
            if (group->completion)
                group->completion(finished);
        },
        options);
}

void ViewAnimation::removeAllAnimations(QWidget* view) {
    if (!view)
        return;
    std::vector<std::shared_ptr<Group>> removed;
    for (const auto& group : runningGroups())
        if (!group->ended && touches(*group, view))
            removed.push_back(group);
    for (const auto& group : removed) {
        group->ended = true;
        forget(group);
        applyChanges(group->changes, 1.0);
        if (group->clock == &Clock::current())
            group->clock->cancel(group->handle);
        if (!group->completion)
            continue;
        Clock::current().callAfter(0, group->hasContext ? group->context.data() : nullptr, [group] {
            if (group->hasContext && !group->context)
                return;
            group->completion(false);
        });
    }
}

bool ViewAnimation::isAnimating(const QWidget* view) {
    const auto& groups = runningGroups();
    return std::any_of(groups.begin(), groups.end(), [view](const std::shared_ptr<Group>& g) {
        return !g->ended && touches(*g, view);
    });
}

void ViewAnimation::translate(QWidget* view, const QPoint& offset) {
    if (!view || offset.isNull())
        return;
    view->move(view->pos() + offset);
    for (const auto& group : runningGroups())
        for (Change& c : group->changes)
            if (c.view == view && c.isFrame) {
                c.fromFrame.translate(offset);
                c.toFrame.translate(offset);
            }
}

bool ViewAnimation::isInWindow(const QWidget* view) {
    return view && view->isVisible();
}
