#include "widgets/FolderList.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>

namespace vb {

namespace {
QString clean(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

bool holds(const QString& folder, const QString& path)
{
    return path == folder || folder == QLatin1String("/") || path.startsWith(folder + QLatin1Char('/'));
}
} // namespace

DriveListBox::DriveListBox(const QString& projectFolder, QWidget* parent) : QComboBox(parent)
{
    QStringList places{QStringLiteral("/"), clean(QDir::homePath())};
    if (!projectFolder.isEmpty()) places << clean(projectFolder);
    for (const QString& p : places)
        if (findData(p) < 0) addItem(p, p);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit Change(Drive()); });
}

QString DriveListBox::Drive() const { return currentData().toString(); }

void DriveListBox::setDrive(const QString& path)
{
    const QString p = clean(path);
    int best = 0;
    for (int i = 0; i < count(); ++i) {
        const QString place = itemData(i).toString();
        if (holds(place, p) && place.size() >= itemData(best).toString().size()) best = i;
    }
    setCurrentIndex(best);
}

DirListBox::DirListBox(QWidget* parent) : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c) hideColumn(c);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { follow(index); });
}

void DirListBox::setRoot(const QString& root)
{
    m_root = clean(root);
    m_model->setRootPath(m_root);
    setRootIndex(m_model->index(m_root));
}

void DirListBox::setPath(const QString& path)
{
    const QString p = clean(path);
    const bool changed = p != m_path;
    m_path = p;
    const QModelIndex index = m_model->index(p);
    if (index.isValid() && index != rootIndex()) {
        setCurrentIndex(index);
        scrollTo(index);
    }
    if (changed) emit Change(m_path);
}

void DirListBox::follow(const QModelIndex& index)
{
    if (!index.isValid()) return;
    const QString p = clean(m_model->filePath(index));
    if (p == m_path) return;
    m_path = p;
    emit Change(m_path);
}

} // namespace vb
