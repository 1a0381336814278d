#pragma once

#include "core/random.h"
#include "ui/form1.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace uitest {

// A word list of raw Windows-1252 bytes in a directory of its own.
class WordFile {
public:
    explicit WordFile(const QByteArray& bytes) {
        QFile file(m_dir.filePath(QStringLiteral("worte.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write the word list");
        }
    }
    std::filesystem::path path() const {
        return m_dir.filePath(QStringLiteral("worte.txt")).toStdString();
    }

private:
    QTemporaryDir m_dir;
};

// The r that draws row (1-based) from a list of n words.
inline float pick(int row, int n) {
    return (float(row) - 0.25f) / float(n);
}

// Hands out the given draws in turn, then keeps repeating the last one.
inline core::RandomSource draws(std::vector<float> values) {
    auto queue = std::make_shared<std::vector<float>>(std::move(values));
    auto next = std::make_shared<std::size_t>(0);
    return [queue, next] {
        const float r = queue->at(std::min(*next, queue->size() - 1));
        ++*next;
        return r;
    };
}

template <typename T = QWidget> T* control(const QWidget& form, const char* name) {
    T* widget = form.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        qFatal("no control named %s", name);
    }
    return widget;
}

// The window's rectangle of a control, however deep it sits.
inline QRect windowRect(const QWidget& form, const char* name) {
    const QWidget* widget = control(form, name);
    return QRect(widget->mapTo(&form, QPoint(0, 0)), widget->size());
}

// What a picture box must show: the picture at its top-left, white around it, cut at the box.
inline QImage pictureOnWhite(const char* resource, QSize box) {
    QImage expected(box, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(0, 0, QImage(QString::fromLatin1(resource)));
    return expected;
}

inline QImage shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

template <typename Match> int countPixels(const QImage& image, QRect area, Match match) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += match(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

inline int countPixels(const QImage& image, QRect area, QColor color) {
    return countPixels(image, area, [color](QColor pixel) { return pixel == color; });
}

// Types text key by key as a keyboard would, umlauts included; "\b" is Backspace.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        const auto key = ch == u'\b' ? Qt::Key_Backspace : Qt::Key(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
    }
}

// A freshly loaded and shown window, as the program starts it.
inline std::unique_ptr<ui::Form1> openForm(const WordFile& words, core::RandomSource random) {
    auto form = std::make_unique<ui::Form1>(std::move(random));
    std::ifstream in(words.path(), std::ios::binary);
    if (const auto error = form->Form_Load(in, core::LoadErrors(words.path()))) {
        qFatal("word list did not load: %s", error->message.c_str());
    }
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get())) {
        qFatal("window did not become active");
    }
    return form;
}

} // namespace uitest
