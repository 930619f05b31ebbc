// A named set of window scenes, each making a new window controller on
// request, like a storyboard of an interface builder.
//
// A storyboard is a value: whoever opens the windows makes one, gives each
// scene what the new window needs from it, and keeps the controllers it asks
// for.
//
// **Example**
//   Storyboard main(u"Main"_s);
//   main.addScene(u"Atn Window Controller"_s, [] { return std::make_unique<WindowController>(new AtnWindow); });
//   auto atn = main.instantiateControllerWithIdentifier(u"Atn Window Controller"_s);
#pragma once

#include <QString>

#include <functional>
#include <map>
#include <memory>

class WindowController;

class Storyboard final {
public:
    using Scene = std::function<std::unique_ptr<WindowController>()>;

    explicit Storyboard(QString name);

    [[nodiscard]] const QString &name() const { return m_name; }
    // Replaces a scene of the same identifier.
    void addScene(const QString &identifier, Scene scene);

    // A new controller each call; none for an unknown identifier or a scene
    // that makes none.
    [[nodiscard]] std::unique_ptr<WindowController> instantiateControllerWithIdentifier(const QString &identifier) const;

private:
    QString m_name;
    std::map<QString, Scene> m_scenes;
};
