// A named set of window scenes, each making a new window controller on
// request, like a storyboard of an interface builder.
//
// The application provides its storyboards at start-up; code that wants a
// window asks for the storyboard by name and for the scene by identifier.
//
// **Example**
//   auto main = Storyboard::storyboardWithName("Main");
//   auto atn = main->instantiateControllerWithIdentifier("Atn Window Controller");
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class WindowController;

class Storyboard final {
public:
    using Scene = std::function<std::unique_ptr<WindowController>()>;

    explicit Storyboard(QString name);

    [[nodiscard]] const QString &name() const { return m_name; }
    void setInitialScene(Scene scene);
    // Replaces a scene of the same identifier.
    void addScene(const QString &identifier, Scene scene);

    // A new controller each call; none for an unknown identifier or a scene
    // that makes none.
    [[nodiscard]] std::unique_ptr<WindowController> instantiateInitialController() const;
    [[nodiscard]] std::unique_ptr<WindowController> instantiateControllerWithIdentifier(const QString &identifier) const;

    // The storyboards the application provides; a later one replaces an
    // earlier one of the same name.
    static void provide(std::shared_ptr<const Storyboard> storyboard);
    static void withdraw(const QString &name);
    [[nodiscard]] static std::shared_ptr<const Storyboard> storyboardWithName(const QString &name);

private:
    QString m_name;
    Scene m_initialScene;
    std::map<QString, Scene> m_scenes;
};
