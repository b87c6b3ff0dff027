// The folder browser's model: order, roots, icons, stale and repeated
// batches, columns and headers.
#include "browser/CFileSystemModel.h"

#include "TreeMaker.h"
#include "common/TestEnv.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestFileSystemModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void foldersFirstThenNameWithoutCase();
    void rootFromFilePathRemembersName();
    void brokenLinkIcon();
    void staleAndRepeatedBatches();
    void headersAndColumns();

private:
    QString path(const QString& strName) const { return m_dir.filePath(strName); }
    QFileInfoList infos(const QStringList& lstNames) const;
    static QStringList rows(const CFileSystemModel& model);
    std::unique_ptr<TestEnv> m_pEnv;
    QTemporaryDir m_dir;
};

void TestFileSystemModel::initTestCase()
{
    m_pEnv = std::make_unique<TestEnv>(); // the icons
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(makeTree(m_dir.path(), {"b/", "A/", "a.txt", "B.md", "sub/notes.txt"}));
    QVERIFY(QFile::link(path("gone"), path("dangling")));
}

QFileInfoList TestFileSystemModel::infos(const QStringList& lstNames) const
{
    QFileInfoList lst;
    for (const QString& strName : lstNames)
        lst << QFileInfo(path(strName));
    return lst;
}

QStringList TestFileSystemModel::rows(const CFileSystemModel& model)
{
    QStringList lst;
    for (int i = 0; i < model.rowCount(); ++i)
        lst << model.index(i, 0).data().toString();
    return lst;
}

void TestFileSystemModel::foldersFirstThenNameWithoutCase()
{
    CFileSystemModel model;
    model.setRootPath(m_dir.path(), false);
    model.onNewListOfFiles(m_dir.path(), infos({"a.txt", "b", "B.md", "A"}));
    QCOMPARE(rows(model), (QStringList {"A", "b", "a.txt", "B.md"}));
    // The same through the gatherer thread.
    QSignalSpy spy(&model, &CFileSystemModel::directoryLoaded);
    model.setRootPath(m_dir.path(), true);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(rows(model), (QStringList {"A", "b", "sub", "a.txt", "B.md", "dangling"}));
}

void TestFileSystemModel::rootFromFilePathRemembersName()
{
    CFileSystemModel model;
    model.setRootPath(path("sub/notes.txt"), false);
    QCOMPARE(model.rootPath(), QDir::toNativeSeparators(path("sub")));
    QCOMPARE(model.selectFileName(), QString("notes.txt"));
    model.setRootPath(path("sub"), false);
    QCOMPARE(model.rootPath(), QDir::toNativeSeparators(path("sub")));
    QVERIFY(model.selectFileName().isEmpty());
}

void TestFileSystemModel::brokenLinkIcon()
{
    CFileSystemModel model;
    model.setRootPath(m_dir.path(), false);
    model.onNewListOfFiles(m_dir.path(), infos({"dangling", "a.txt"}));
    const QImage imgBroken = QIcon(":/res/link_un.png").pixmap(16).toImage();
    QVERIFY(!imgBroken.isNull());
    auto image = [&](int nRow) {
        return model.index(nRow, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
    };
    QCOMPARE(image(1), imgBroken);
    QVERIFY(!image(0).isNull() && image(0) != imgBroken);
}

void TestFileSystemModel::staleAndRepeatedBatches()
{
    CFileSystemModel model;
    QSignalSpy spy(&model, &CFileSystemModel::directoryLoaded);
    model.setRootPath(path("sub"), false);
    model.onNewListOfFiles(m_dir.path(), infos({"a.txt"})); // a folder no longer shown
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(spy.count(), 0);
    // A folder left and entered again before its first listing ended gets
    // two batches; the newer replaces the older, also when it is empty.
    model.setRootPath(m_dir.path(), false);
    model.onNewListOfFiles(m_dir.path(), infos({"a.txt"}));
    model.onNewListOfFiles(m_dir.path(), infos({"a.txt", "b"}));
    QCOMPARE(rows(model), (QStringList {"b", "a.txt"}));
    model.onNewListOfFiles(m_dir.path(), QFileInfoList());
    QCOMPARE(model.rowCount(), 0);
}

void TestFileSystemModel::headersAndColumns()
{
    CFileSystemModel model;
    QCOMPARE(model.columnCount(), 1);
    QStringList lstHeaders;
    for (int nSection = 0; nSection < 5; ++nSection)
        lstHeaders << model.headerData(nSection, Qt::Horizontal).toString();
    QCOMPARE(lstHeaders, (QStringList {"Name", "Ext. Name", "Size", "Date Modified",
                                       "Date Modified"}));
    QVERIFY(!model.headerData(-1, Qt::Horizontal).isValid());
    QFile file(path("data.json"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(2048, 'x')) == 2048);
    file.close();
    model.setRootPath(m_dir.path(), false);
    model.onNewListOfFiles(m_dir.path(), infos({"data.json", "sub"}));
    QCOMPARE(model.index(1, 1).data().toString(), QString("json"));
    QCOMPARE(model.index(1, 2).data().toString(), QString("2 KB"));
    QVERIFY(!model.index(1, 3).data().toString().isEmpty());
    QVERIFY(!model.index(0, 2).data().isValid()); // no size for a folder
    QCOMPARE(model.index(1, 0).data(Qt::ToolTipRole).toString(),
             QDir::toNativeSeparators(path("data.json")));
}

QTEST_MAIN(TestFileSystemModel)
#include "tst_filesystemmodel.moc"
