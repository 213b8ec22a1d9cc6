#pragma once

#include "core/Form.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <cstddef>
#include <functional>
#include <vector>

// The windows that code on a lower floor opens or looks at without knowing their classes.
enum class WindowKind {
    MainForm,
    PlayListForm,
    FolderForm,
    FolderSearchForm,
    QuickHelpForm,
    VersionForm,
    OptionForm,
    VersionStatusForm
};
inline constexpr std::size_t WindowKindCount = static_cast<std::size_t>(WindowKind::VersionStatusForm) + 1;

// One instance of each window. The program ends when no window is loaded.
class FormRegistry : public QObject {
    Q_OBJECT
public:
    static FormRegistry &instance();

    // The loaded instance, created and loaded first when needed.
    template <class T> T &load()
    {
        if (T *existing = find<T>()) {
            return *existing;
        }
        auto *form = new T();
        add(form);
        form->Form_Load();
        if (isLoaded(form)) {
            emit formLoaded(form);
        }
        return *form;
    }

    // Windows are found one way, by their class name: a floor that knows the class names
    // it through the class, a lower floor through its kind.
    template <class T> T *find() const
    {
        static_assert(QtPrivate::HasQ_OBJECT_Macro<T>::Value, "a window is found by its own class name");
        return static_cast<T *>(lookUp(T::staticMetaObject.className()));
    }

    template <class T> void unload()
    {
        if (T *form = find<T>()) {
            unload(form);
        }
    }

    // The floor that knows a window's class says how it is loaded; finding and
    // unloading need no loader.
    void setLoader(WindowKind kind, std::function<Form &()> loader);
    Form &load(WindowKind kind);
    Form *find(WindowKind kind) const;
    void unload(WindowKind kind);

    // Runs the window's unload, forgets it and destroys it once control returns
    // to the event loop (it may be unloading itself from one of its handlers).
    void unload(Form *form);
    bool isLoaded(const Form *form) const;
    int loadedCount() const;

    // Unloads every window still loaded, newest first.
    void unloadAll();

signals:
    void formLoaded(Form *form);
    void lastFormUnloaded();

private:
    void add(Form *form);
    Form *lookUp(const char *className) const;

    std::vector<QPointer<Form>> forms_;
    std::array<std::function<Form &()>, WindowKindCount> loaders_;
};
