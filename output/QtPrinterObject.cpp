#include "output/QtPrinterObject.h"

#include "platform/CupsJob.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace ravelt {

namespace {

// A new empty file from a mkstemp pattern; its path.
std::filesystem::path tempFile(const std::string& pattern, int suffix)
{
    std::string p = pattern;
    int fd = mkstemps(p.data(), suffix);
    if (fd < 0)
        throw std::runtime_error("impossibile creare il file temporaneo " + pattern + ": " + std::strerror(errno));
    ::close(fd);
    return p;
}

QPageSize paperFor(const std::string& queue)
{
    if (!queue.empty()) {
        QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(queue));
        QPageSize size = info.defaultPageSize();
        if (size.isValid())
            return size;
    }
    return QPageSize(QPageSize::A4);
}

}

QtPrinterObject::QtPrinterObject(std::string title) : title_(std::move(title))
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setDocName(QString::fromStdString(title_));
    printer_.setCreator("Ravelt");
}

std::unique_ptr<QtPrinterObject> QtPrinterObject::forQueue(const std::string& queue, const std::string& title)
{
    std::unique_ptr<QtPrinterObject> p(new QtPrinterObject(title));
    p->queue_ = queue;
    std::filesystem::path dir = std::filesystem::temp_directory_path();
    p->temp_ = tempFile((dir / "ravelt-stampa-XXXXXX.pdf").string(), 4);
    p->printer_.setPageLayout(QPageLayout(paperFor(queue), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                          QPageLayout::Millimeter));
    return p;
}

std::unique_ptr<QtPrinterObject> QtPrinterObject::forPdf(const std::filesystem::path& path, const std::string& title)
{
    std::unique_ptr<QtPrinterObject> p(new QtPrinterObject(title));
    p->target_ = path;
    std::filesystem::path dir = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        throw std::runtime_error("impossibile scrivere il file PDF " + path.string() + ": la cartella " + dir.string() +
                                 " non esiste");
    p->temp_ = tempFile((dir / ("." + path.filename().string() + ".tmp-XXXXXX")).string(), 0);
    p->printer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                          QPageLayout::Millimeter));
    return p;
}

QtPrinterObject::~QtPrinterObject()
{
    if (painter_.isActive())
        painter_.end();
    std::error_code ec;
    if (!temp_.empty())
        std::filesystem::remove(temp_, ec);
}

void QtPrinterObject::setOrientation(int orientation)
{
    orientation_ = orientation;
    if (!ended_)
        printer_.setPageOrientation(orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtPrinterObject::setDuplex(int duplex)
{
    duplex_ = duplex;
}

void QtPrinterObject::begin()
{
    if (begun_)
        return;
    printer_.setOutputFileName(QString::fromStdString(temp_.string()));
    if (!painter_.begin(&printer_)) {
        std::string where = target_.empty() ? "per la coda " + queue_ : target_.string();
        throw std::runtime_error("impossibile scrivere il file PDF " + where + " (" + temp_.string() + ")");
    }
    begun_ = true;
    x_ = y_ = 0;
}

QFont QtPrinterObject::currentFont() const
{
    QFont f(QString::fromStdString(fontName_));
    f.setPointSizeF(fontSize_ < 1 ? 1 : fontSize_);
    f.setBold(bold_);
    f.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    return f;
}

double QtPrinterObject::pageHeight() const
{
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
}

void QtPrinterObject::print(const std::string& text, bool endLine)
{
    if (ended_)
        throw std::logic_error("text printed after the end of the document");
    begin();
    QFont font(currentFont(), &printer_);
    QFontMetricsF fm(font, &printer_);
    if (!lineOpen_) {
        if (y_ > 0 && y_ + fm.lineSpacing() > pageHeight()) {
            printer_.newPage();
            y_ = 0;
        }
        x_ = 0;
        lineHeight_ = 0;
        lineOpen_ = true;
    }
    QString s = QString::fromStdString(text);
    painter_.setFont(font);
    painter_.drawText(QPointF(x_, y_ + fm.ascent()), s);
    x_ += fm.horizontalAdvance(s);
    lineHeight_ = std::max(lineHeight_, fm.lineSpacing());
    if (endLine) {
        y_ += lineHeight_;
        lineOpen_ = false;
    }
}

void QtPrinterObject::newPage()
{
    begin();
    printer_.newPage();
    x_ = y_ = 0;
    lineOpen_ = false;
}

void QtPrinterObject::endDoc()
{
    if (ended_)
        return;
    begin();
    ended_ = true;
    bool ok = painter_.end();
    if (!ok || printer_.printerState() == QPrinter::Error)
        throw std::runtime_error("impossibile completare il file PDF " + temp_.string());
    if (!queue_.empty()) {
        std::vector<std::string> options;
        if (duplex_ == 2)
            options.push_back("sides=two-sided-long-edge");
        submitCupsFile(queue_, title_, temp_, options);
        return;
    }
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec)
        throw std::runtime_error("impossibile sostituire il file PDF " + target_.string() + ": " + ec.message());
    std::filesystem::permissions(target_,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_read | std::filesystem::perms::others_read,
                                 ec);
    temp_.clear();
}

}
