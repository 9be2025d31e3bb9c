#include "platform/ui/Storyboard.h"

#include "platform/ui/ViewController.h"

#include <QHash>
#include <QList>
#include <QPair>

namespace {

using Key = QPair<QString, QString>;

struct Registry {
    QHash<Key, Storyboard::Factory> screens;
    QHash<QString, QString> initial;
    QHash<QPair<Key, QString>, Storyboard::SegueTarget> segues;
    QList<Storyboard::AreaRegistration> areas;
    qsizetype areasRegistered = 0;
};

Registry& rawRegistry() {
    static Registry r;
    return r;
}

// The registry, with every area added so far registered. An area's registration uses the
// registry itself: it finds the next area still to run and does not start it again.
Registry& registry() {
    Registry& r = rawRegistry();
    while (r.areasRegistered < r.areas.size()) {
        const Storyboard::AreaRegistration next = r.areas.at(r.areasRegistered++);
        next();
    }
    return r;
}

} // namespace

void Storyboard::addArea(AreaRegistration registration) {
    Registry& r = rawRegistry();
    if (registration && !r.areas.contains(registration))
        r.areas.append(registration);
}

void Storyboard::registerViewController(const QString& storyboard, const QString& identifier,
                                        Factory factory) {
    registry().screens.insert({storyboard, identifier}, std::move(factory));
    if (!registry().initial.contains(storyboard))
        registry().initial.insert(storyboard, identifier);
}

void Storyboard::removeViewController(const QString& storyboard, const QString& identifier) {
    registry().screens.remove({storyboard, identifier});
    if (registry().initial.value(storyboard) == identifier)
        registry().initial.remove(storyboard);
}

void Storyboard::setInitialViewController(const QString& storyboard, const QString& identifier) {
    registry().initial.insert(storyboard, identifier);
}

bool Storyboard::hasViewController(const QString& storyboard, const QString& identifier) {
    return registry().screens.contains({storyboard, identifier});
}

ViewController* Storyboard::instantiate(const QString& storyboard, const QString& identifier) {
    const auto it = registry().screens.constFind({storyboard, identifier});
    if (it == registry().screens.constEnd() || !*it)
        return nullptr;
    ViewController* controller = (*it)();
    if (controller)
        controller->setStoryboardInfo(storyboard, identifier);
    return controller;
}

ViewController* Storyboard::instantiateInitial(const QString& storyboard) {
    const auto it = registry().initial.constFind(storyboard);
    return it == registry().initial.constEnd() ? nullptr : instantiate(storyboard, *it);
}

void Storyboard::registerSegue(const QString& storyboard, const QString& sourceIdentifier,
                               const QString& segueIdentifier, const SegueTarget& target) {
    registry().segues.insert({{storyboard, sourceIdentifier}, segueIdentifier}, target);
}

void Storyboard::removeSegue(const QString& storyboard, const QString& sourceIdentifier,
                             const QString& segueIdentifier) {
    registry().segues.remove({{storyboard, sourceIdentifier}, segueIdentifier});
}

bool Storyboard::findSegue(const ViewController* source, const QString& segueIdentifier,
                           SegueTarget* target) {
    if (!source)
        return false;
    const auto& segues = registry().segues;
    auto it = segues.constFind(
        {{source->storyboardName(), source->storyboardIdentifier()}, segueIdentifier});
    if (it == segues.constEnd())
        it = segues.constFind(
            {{QString(), QString::fromLatin1(source->metaObject()->className())}, segueIdentifier});
    if (it == segues.constEnd())
        return false;
    if (target)
        *target = *it;
    return true;
}
