// A label for a file's path that shows as much of its end as fits, the whole path as its hint.
#pragma once

#include <QLabel>

namespace kelvaro {

/// A long path loses its leading folders ("…/club/lesson.txt"), never the file's name.
class PathLabel final : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);

    void SetPath(const QString& path);
    const QString& Path() const { return FullPath; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();

    QString FullPath;
};

}  // namespace kelvaro
