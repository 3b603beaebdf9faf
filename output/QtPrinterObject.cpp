#include "output/QtPrinterObject.h"

#include "platform/AtomicFile.h"
#include "platform/CupsJob.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QString>
#include <stdexcept>

namespace ravelt {

namespace {

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

// The resolution of the PDF's device units, as a printer at high resolution has it.
constexpr int Resolution = 1200;

}

QtPrinterObject::QtPrinterObject(std::string title) : title_(std::move(title))
{
    writer_.setResolution(Resolution);
    writer_.setTitle(QString::fromStdString(title_));
    writer_.setCreator("Ravelt");
}

std::unique_ptr<QtPrinterObject> QtPrinterObject::forQueue(const std::string& queue, const std::string& title)
{
    std::unique_ptr<QtPrinterObject> p(new QtPrinterObject(title));
    p->queue_ = queue;
    p->writer_.setPageLayout(QPageLayout(paperFor(queue), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
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
    p->writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
    return p;
}

QtPrinterObject::~QtPrinterObject()
{
    if (painter_.isActive())
        painter_.end();
}

void QtPrinterObject::setOrientation(int orientation)
{
    orientation_ = orientation;
    if (!ended_)
        writer_.setPageOrientation(orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtPrinterObject::setDuplex(int duplex)
{
    duplex_ = duplex;
}

std::string QtPrinterObject::where() const
{
    return target_.empty() ? "per la coda " + queue_ : target_.string();
}

void QtPrinterObject::begin()
{
    if (begun_)
        return;
    if (!buffer_.open(QIODevice::WriteOnly) || !painter_.begin(&writer_))
        throw std::runtime_error("impossibile preparare il documento PDF " + where());
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
    return writer_.pageLayout().paintRectPixels(writer_.resolution()).height();
}

void QtPrinterObject::print(const std::string& text, bool endLine)
{
    if (ended_)
        throw std::logic_error("text printed after the end of the document");
    begin();
    QFont font(currentFont(), &writer_);
    QFontMetricsF fm(font, &writer_);
    if (!lineOpen_) {
        if (y_ > 0 && y_ + fm.lineSpacing() > pageHeight()) {
            writer_.newPage();
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
    writer_.newPage();
    x_ = y_ = 0;
    lineOpen_ = false;
}

// Ends the document in memory, then delivers it whole: to the queue as one job, or to
// the PDF destination through AtomicFile, whose errors (a full disk) are raised here.
void QtPrinterObject::endDoc()
{
    if (ended_)
        return;
    begin();
    ended_ = true;
    if (!painter_.end())
        throw std::runtime_error("impossibile completare il documento PDF " + where());
    buffer_.close();
    const std::string bytes(pdf_.constData(), static_cast<size_t>(pdf_.size()));
    if (!queue_.empty()) {
        std::vector<std::string> options;
        if (duplex_ == 2)
            options.push_back("sides=two-sided-long-edge");
        submitCupsBytes(queue_, title_, bytes, options);
        return;
    }
    writeFileAtomically(target_, bytes);
}

}
