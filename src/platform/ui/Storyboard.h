#pragma once

#include <QLatin1StringView>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>

class ViewController;

// How a segue shows its destination.
enum class SegueKind {
    Push,  // onto the source's navigation controller (presented modally when it has none)
    Modal, // presented over the source
    Embed, // a child of the source, in the source's widget named by the container name
};

class StoryboardSegue {
public:
    StoryboardSegue(QString identifier, ViewController* source, ViewController* destination)
        : identifier_(std::move(identifier))
        , source_(source)
        , destination_(destination) {}
    QString identifier() const { return identifier_; }
    ViewController* sourceViewController() const { return source_; }
    ViewController* destinationViewController() const { return destination_; }

private:
    QString identifier_;
    ViewController* source_;
    ViewController* destination_;
};

// A screen's name in the registry: its storyboard and its identifier. Each area names its
// screens as constants of this type.
struct ScreenName {
    QLatin1StringView storyboard;
    QLatin1StringView identifier;
};

// The registry of screens by (storyboard, identifier) and of segues by (source, identifier).
// A screen nobody registered answers null and the caller copes.
//
// Each area of screens has one registration function that registers its screens and segues;
// the library lists them once with addArea(). They run the first time the registry is used
// afterwards, before that use, so a lookup finds every area's screens before any was made.
class Storyboard {
public:
    using Factory = std::function<ViewController*()>;
    using AreaRegistration = void (*)();

    struct SegueTarget {
        QString storyboard;
        QString identifier;
        SegueKind kind = SegueKind::Push;
        QString containerName; // Embed: objectName of the container; defaults to the segue's
    };

    // A storyboard value names one storyboard of the registry.
    explicit Storyboard(QString name)
        : name_(std::move(name)) {}
    static Storyboard storyboardWithName(const QString& name) { return Storyboard(name); }
    QString name() const { return name_; }
    ViewController* instantiateViewControllerWithIdentifier(const QString& identifier) const {
        return instantiate(name_, identifier);
    }
    ViewController* instantiateInitialViewController() const { return instantiateInitial(name_); }

    // Adds an area's registration function; it runs once, when the registry is next used.
    // Adding the same function again does nothing.
    static void addArea(AreaRegistration registration);

    // Registers (or replaces) a screen factory. The first screen registered for a storyboard
    // is its initial screen unless one is named.
    static void registerViewController(const QString& storyboard, const QString& identifier,
                                       Factory factory);
    // An area's table of screens, each registered as above.
    struct NamedFactory {
        ScreenName screen;
        Factory factory;
    };
    static void registerViewControllers(std::initializer_list<NamedFactory> screens) {
        for (const NamedFactory& entry : screens)
            registerViewController(entry.screen.storyboard, entry.screen.identifier, entry.factory);
    }
    static void removeViewController(const QString& storyboard, const QString& identifier);
    static void setInitialViewController(const QString& storyboard, const QString& identifier);
    static void setInitialViewController(const ScreenName& screen) {
        setInitialViewController(screen.storyboard, screen.identifier);
    }
    static bool hasViewController(const QString& storyboard, const QString& identifier);
    // A new screen, or null when none is registered under the names.
    static ViewController* instantiate(const QString& storyboard, const QString& identifier);
    static ViewController* instantiate(const ScreenName& screen) {
        return instantiate(screen.storyboard, screen.identifier);
    }
    static ViewController* instantiateInitial(const QString& storyboard);

    // A segue from the screens registered as (storyboard, sourceIdentifier). Screens made
    // without the registry are found by their class name as source with an empty storyboard.
    static void registerSegue(const QString& storyboard, const QString& sourceIdentifier,
                              const QString& segueIdentifier, const SegueTarget& target);
    // An area's table of segues between named screens, all shown the same way.
    struct NamedSegue {
        ScreenName from;
        QLatin1StringView identifier;
        ScreenName to;
    };
    static void registerSegues(std::initializer_list<NamedSegue> segues,
                               SegueKind kind = SegueKind::Push) {
        for (const NamedSegue& segue : segues)
            registerSegue(segue.from.storyboard, segue.from.identifier, segue.identifier,
                          {segue.to.storyboard, segue.to.identifier, kind, {}});
    }
    static void removeSegue(const QString& storyboard, const QString& sourceIdentifier,
                            const QString& segueIdentifier);
    static bool findSegue(const ViewController* source, const QString& segueIdentifier,
                          SegueTarget* target);

private:
    QString name_;
};
