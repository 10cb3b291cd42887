#include "output/PrintDialog.h"

#include "files/Cp932.h"
#include "files/DateText.h"
#include "plane/Fonts.h"
#include "plane/PlaneDrawing.h"
#include "plane/PlaneGeometry.h"
#include "ui/Accessible.h"
#include "ui/ImageView.h"
#include "ui/Prompt.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

double PrintFactor(int pageWidth)
{
    return double(pageWidth) / PrintDialog::ReferencePageWidth * 32.0 / 7.0;
}

QRect PrintTarget(int pageWidth, int sheetSize)
{
    const int side = PlaneGeometry::RoundEven(sheetSize * PrintFactor(pageWidth));
    return QRect(0, 0, side, side);
}

int Cp932Length(const QString &text)
{
    if (const auto bytes = EncodeCp932(text))
        return int(bytes->size());
    // Only the estimate of a width depends on this, so a character CP932
    // cannot hold is counted as a double-byte one.
    int n = 0;
    for (char32_t u : text.toUcs4()) {
        const auto one = EncodeCp932(QString::fromUcs4(&u, 1));
        n += one ? int(one->size()) : 2;
    }
    return n;
}

int TitleLeft(int left, int planeWidth, const QString &title, int fontPoints)
{
    return left + planeWidth / 2 - Cp932Length(title) * fontPoints / 4;
}

namespace {
// The hourglass for the length of a print, restored on every way out.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

QSpinBox *SpinBox(QWidget *parent, const char *name, int min, int max, int step, int value)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(min, max);
    s->setSingleStep(step);
    s->setValue(value);
    return s;
}
} // namespace

PrintDialog::PrintDialog(const DrawingSettings &draw, const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_draw(draw), m_folder(folder)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("グラフの印刷"));
    setupPrinter = [this](QPrinter &p) {
        QPrintDialog dialog(&p, this);
        return dialog.exec() == QDialog::Accepted;
    };
    buildForm();
    if (parent)
        setGeometry(parent->geometry());
}

PrintDialog::~PrintDialog() = default;

void PrintDialog::buildForm()
{
    auto *root = new QHBoxLayout(this);

    // The sheet keeps its 640 pixels; a smaller window scrolls it.
    auto *holder = new QWidget;
    holder->setFixedSize(SheetSize, SheetSize);
    sheetView = new ImageView(holder);
    sheetView->setObjectName(QStringLiteral("imgCoodX"));
    sheetView->place(0, 0, SheetSize, SheetSize);
    auto *scroll = new QScrollArea(this);
    Describe(scroll, QStringLiteral("印刷の見本"), QStringLiteral("印刷される用紙のようすです"));
    scroll->setWidget(holder);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int frame = 2 * scroll->frameWidth();
    scroll->setMaximumSize(SheetSize + frame, SheetSize + frame);
    scroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *sheetColumn = new QVBoxLayout;
    sheetColumn->addWidget(scroll, 1);
    sheetColumn->addStretch(0);
    root->addLayout(sheetColumn, 2);

    // The controls take the rest of the width: the heading holds a full path.
    auto *side = new QVBoxLayout;
    root->addLayout(side, 1);

    auto *margins = new QGroupBox(QStringLiteral("余白"), this);
    auto *marginRows = new QVBoxLayout(margins);
    leftMarginSpin = SpinBox(margins, "spnLeft", 0, 200, 10, 50);
    topMarginSpin = SpinBox(margins, "spnTop", 0, 200, 10, 50);
    for (auto [caption, spin] : {std::pair{"左余白", leftMarginSpin}, std::pair{"上余白", topMarginSpin}}) {
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(QString::fromUtf8(caption), margins));
        row->addWidget(spin);
        marginRows->addLayout(row);
    }
    side->addWidget(margins);

    auto *size = new QGroupBox(QStringLiteral("サイズ（％）"), this);
    size->setObjectName(QStringLiteral("grpShukusho"));
    auto *sizeRow = new QHBoxLayout(size);
    scaleCombo = new QComboBox(size);
    scaleCombo->setObjectName(QStringLiteral("cmbScale"));
    scaleCombo->addItems(
        {QStringLiteral("％で指定"), QStringLiteral("1目盛 = 5 mm"), QStringLiteral("1目盛 = 1 cm")});
    sizeRow->addWidget(scaleCombo);
    reductionSpin = SpinBox(size, "spnShukusho", 50, 100, 10, 100);
    sizeRow->addWidget(reductionSpin);
    side->addWidget(size);

    side->addWidget(new QLabel(QStringLiteral("ファイル名と日時"), this));
    fileField = new QLineEdit(this);
    fileField->setObjectName(QStringLiteral("edtFile"));
    fileField->setMinimumWidth(260);
    side->addWidget(fileField);
    side->addWidget(new QLabel(QStringLiteral("タイトル"), this));
    titleField = new QLineEdit(this);
    titleField->setObjectName(QStringLiteral("edtTitle"));
    side->addWidget(titleField);
    Describe(fileField, QStringLiteral("ファイル名と日時"), QStringLiteral("用紙の上に印刷される見出しです"));
    Describe(titleField, QStringLiteral("タイトル"), QStringLiteral("用紙に印刷されるタイトルです"));

    auto *page = new QGroupBox(QStringLiteral("用紙"), this);
    auto *pageRows = new QVBoxLayout(page);
    paperWidthLabel = new QLabel(page);
    paperWidthLabel->setObjectName(QStringLiteral("lblPWidth"));
    paperHeightLabel = new QLabel(page);
    paperHeightLabel->setObjectName(QStringLiteral("lblPHeight"));
    pageRows->addWidget(paperWidthLabel);
    pageRows->addWidget(paperHeightLabel);
    side->addWidget(page);

    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *printerSetupButton = button("btnSettei", QStringLiteral("プリンタ設定"));
    QPushButton *printButton = button("btnPrint", QStringLiteral("印刷開始"));
    QPushButton *closeButton = button("btnClose", QStringLiteral("閉じる"));
    side->addSpacing(12);
    for (QPushButton *b : {printerSetupButton, printButton, closeButton})
        side->addWidget(b);
    side->addStretch();

    connect(printerSetupButton, &QPushButton::clicked, this, [this] { SetUpPrinter(); });
    connect(printButton, &QPushButton::clicked, this, [this] { printClicked(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    for (QSpinBox *s : {leftMarginSpin, topMarginSpin, reductionSpin})
        connect(s, &QSpinBox::valueChanged, this, [this] { DrawPrintPreview(); });
    connect(scaleCombo, &QComboBox::currentIndexChanged, this, [this] {
        reductionSpin->setEnabled(Scale(scaleCombo->currentIndex()) == Scale::Percent);
        DrawPrintPreview();
    });
    for (QLineEdit *e : {titleField, fileField})
        connect(e, &QLineEdit::textChanged, this, [this] { DrawPrintPreview(); });
    // The sheet is first drawn when the dialog is shown: a 640 x 640 picture
    // nobody looks at would only cost start-up time and memory.
}

const Canvas &PrintDialog::sheet() const
{
    return sheetView->picture().canvas();
}

void PrintDialog::showEvent(QShowEvent *event)
{
    // Restoring from minimised is not a new showing.
    if (!event->spontaneous())
        prepareToShow();
    QDialog::showEvent(event);
}

void PrintDialog::prepareToShow()
{
    titleField->setText(DefaultTitle);
    const QString file = unitFileName ? unitFileName() : QString();
    fileField->setText(file + QStringLiteral("  ") + DateText() + QStringLiteral("  ") + TimeText());
    // Setting an unchanged text emits nothing, so draw once more here.
    DrawPrintPreview();
    showPageSize();
    m_printerReady = false;
}

void PrintDialog::showPageSize()
{
    paperWidthLabel->setText(QStringLiteral("W：") + QString::number(printer().width()));
    paperHeightLabel->setText(QStringLiteral("H：") + QString::number(printer().height()));
}

double PrintDialog::planeRatio()
{
    const Scale scale = Scale(scaleCombo->currentIndex());
    const int unit = planeUnit ? planeUnit() : 0;
    if (scale == Scale::Percent || unit <= 0)
        return reductionSpin->value() * 0.01;
    // One grid unit as a length on paper: printer pixels of that length over
    // the printer pixels one sheet pixel becomes.
    const double millimetres = scale == Scale::FiveMillimetres ? 5.0 : 10.0;
    const double perSheetPixel = PrintFactor(printer().width());
    if (perSheetPixel <= 0)
        return reductionSpin->value() * 0.01;
    return millimetres / 25.4 * printer().resolution() / perSheetPixel / unit;
}

void PrintDialog::drawSheet(QPainter &painter)
{
    const QRect sheetBox(0, 0, SheetSize, SheetSize);
    painter.save();
    painter.fillRect(sheetBox, Qt::white);
    // What runs off the sheet is cut at its edge, on paper as on screen.
    painter.setClipRect(sheetBox, Qt::IntersectClip);

    const double ratio = planeRatio();
    const int left = leftMarginSpin->value();
    const int top = topMarginSpin->value();
    const QSize plane = planeSize ? planeSize() : QSize();
    const int w = PlaneGeometry::RoundEven(plane.width() * ratio);
    const int h = PlaneGeometry::RoundEven(plane.height() * ratio);
    if (drawPlane && !plane.isEmpty()) {
        painter.save();
        painter.translate(left, top);
        painter.scale(double(w) / plane.width(), double(h) / plane.height());
        painter.setClipRect(QRect(QPoint(0, 0), plane), Qt::IntersectClip);
        Picture pic;
        pic.canvas().setTarget(&painter, plane.width(), plane.height());
        drawPlane(pic);
        pic.canvas().setTarget(nullptr, 0, 0);
        painter.restore();
    }

    Canvas c;
    c.setTarget(&painter, SheetSize, SheetSize);
    c.setFontName(Fonts::Gothic);
    c.setFontSize(FontPoints);
    c.setFontBold(false);
    c.setFontItalic(false);
    c.setFontColor(Colors::Black);
    c.setBrushStyle(BrushStyle::Clear);
    c.textOut(left + 10, 10, fileField->text());
    const QString title = titleField->text();
    c.textOut(TitleLeft(left, w, title, FontPoints), top + h + TitleGap, title);
    c.setTarget(nullptr, 0, 0);
    painter.restore();
}

void PrintDialog::DrawPrintPreview()
{
    // At the density of the screen, as every picture.
    const qreal dpr = sheetView->canvas().devicePixelRatio();
    QImage sheetImage(QSize(SheetSize, SheetSize) * dpr, QImage::Format_RGB32);
    sheetImage.setDevicePixelRatio(dpr);
    {
        QPainter painter(&sheetImage);
        // A plane drawn smaller than its pixels keeps its thin lines whole
        // only when they are blended in.
        const bool scaled = planeRatio() != 1.0 || dpr != 1.0;
        painter.setRenderHint(QPainter::Antialiasing, scaled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        drawSheet(painter);
    }
    Picture &pic = sheetView->picture();
    ClearImage(pic, Colors::White, m_draw);
    pic.canvas().assign(sheetImage);
}

bool PrintDialog::SetUpPrinter()
{
    if (!setupPrinter || !setupPrinter(printer()))
        return false;
    showPageSize();
    m_printerReady = true;
    return true;
}

void PrintDialog::printClicked()
{
    if (m_printerReady || SetUpPrinter())
        PrintSheet();
}

int PrintDialog::PrintSheet()
{
    QPrinter &out = printer();
    const double factor = PrintFactor(out.width());
    std::optional<WaitCursor> wait(std::in_place);

    // Each copy is a job of its own; the printer must not multiply a job
    // as well.
    const int copies = qMax(1, out.copyCount());
    out.setCopyCount(1);
    int jobs = 0;
    for (int copy = 1; copy <= copies; ++copy) {
        QPainter painter;
        if (!painter.begin(&out))
            break;
        painter.scale(factor, factor);
        drawSheet(painter);
        painter.end();
        ++jobs;
        if (jobPrinted)
            jobPrinted(copy);
    }
    out.setCopyCount(copies);
    if (jobs == 0) {
        // The box is not to show an hourglass over it.
        wait.reset();
        const bool toFile = out.outputFormat() == QPrinter::PdfFormat;
        if (toFile && !out.outputFileName().isEmpty())
            prompt().message(QStringLiteral("PDFファイル「%1」に書き込めません。")
                                 .arg(QDir::toNativeSeparators(out.outputFileName())),
                             MessageKind::Error);
        else
            prompt().message(QStringLiteral("印刷できません。プリンタが見つからないか、使えません。"),
                             MessageKind::Error);
    }
    return jobs;
}
