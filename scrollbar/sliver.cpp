#include "sliver.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Marks the host's current Sliver, the one whose events count.
constexpr const char* kOwnerProperty = "_sliver_owner";

constexpr int kDefaultMax = 3000;
constexpr int kDefaultMin = 0;
constexpr int kDefaultPage = 100;
constexpr int kDefaultValue = 0;

int toInt(qint64 v) {
    return static_cast<int>(
        std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// One arrow click scrolls a fifth of the page, to the nearest integer.
qint64 lineStep(qint64 page) {
    return static_cast<qint64>(std::nearbyint(static_cast<double>(page) / 5.0));
}

// The page a bar can actually show: at most the whole range, never negative.
qint64 effectivePage(int min, int max, int page) {
    const qint64 span = std::max<qint64>(qint64(max) - min + 1, 0);
    return std::clamp<qint64>(page, 0, span);
}

int readInt(const Sliver::PropertyBag& bag, const QString& name, int defaultValue) {
    const QVariant v = bag.ReadProperty(name, defaultValue);
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return defaultValue;
    const double r = std::nearbyint(d);
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(r);
}

bool readBool(const Sliver::PropertyBag& bag, const QString& name, bool defaultValue) {
    const QVariant v = bag.ReadProperty(name, defaultValue);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString text = v.toString().trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d != 0.0 : defaultValue;
}

} // namespace

// While alive, the Sliver is changing its bars: no events, and the host's viewport resize
// notifications are held back so its own resize handling does not run.
class SliverWriteScope {
  public:
    explicit SliverWriteScope(Sliver& s) : s_(s) {
        ++s_.writing_;
        ++s_.holdResize_;
        // Installing again puts the filter first, ahead of the host's own viewport filter.
        if (s_.host_ && s_.host_->viewport())
            s_.host_->viewport()->installEventFilter(&s_);
    }
    ~SliverWriteScope() {
        --s_.holdResize_;
        --s_.writing_;
    }
    SliverWriteScope(const SliverWriteScope&) = delete;
    SliverWriteScope& operator=(const SliverWriteScope&) = delete;

  private:
    Sliver& s_;
};

// ---- PropertyBag ----

qsizetype Sliver::PropertyBag::find(const QString& name) const {
    for (qsizetype i = 0; i < entries_.size(); ++i)
        if (entries_[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Sliver::PropertyBag::ReadProperty(const QString& name,
                                           const QVariant& defaultValue) const {
    const qsizetype i = find(name);
    return i < 0 ? defaultValue : entries_[i].second;
}

void Sliver::PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                        const QVariant& defaultValue) {
    const qsizetype i = find(name);
    if (defaultValue.isValid() && value == defaultValue) {
        if (i >= 0)
            entries_.removeAt(i);
        return;
    }
    if (i >= 0)
        entries_[i].second = value;
    else
        entries_.append({name, value});
}

bool Sliver::PropertyBag::contains(const QString& name) const {
    return find(name) >= 0;
}

QStringList Sliver::PropertyBag::names() const {
    QStringList result;
    for (const auto& entry : entries_)
        result.append(entry.first);
    return result;
}

// ---- Sliver ----

Sliver::Sliver(QAbstractScrollArea* host) : QObject(host), host_(host) {
    Q_ASSERT(host);
    h_.visible = true;
    v_.visible = false;
    if (!host_)
        return;
    host_->setProperty(kOwnerProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    connect(host_, &QObject::destroyed, this, [this] { hostGone_ = true; });
    hookBars();
    writeRecord(h_, h_.value);
    writeRecord(v_, v_.value);
    applyVisibility(h_);
    applyVisibility(v_);
}

Sliver::~Sliver() {
    if (!attached())
        return;
    hBar_->disconnect(this);
    vBar_->disconnect(this);
    // A control that was superseded on its host leaves the bars to its successor.
    if (isOwner()) {
        {
            SliverWriteScope scope(*this);
            host_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            host_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        host_->setProperty(kOwnerProperty, QVariant());
    }
    if (host_->viewport())
        host_->viewport()->removeEventFilter(this);
}

QAbstractScrollArea* Sliver::host() const {
    return host_;
}

bool Sliver::attached() const {
    // While the host is being destroyed its bars may already be gone, and the pointer may no
    // longer be read as a scroll area: test the flag first.
    return !hostGone_ && host_ && hBar_ && vBar_ && hBar_ == host_->horizontalScrollBar() &&
           vBar_ == host_->verticalScrollBar();
}

bool Sliver::isOwner() const {
    return host_ && host_->property(kOwnerProperty).value<QObject*>() == this;
}

void Sliver::hookBars() {
    hBar_ = host_->horizontalScrollBar();
    vBar_ = host_->verticalScrollBar();
    for (auto o : {Qt::Horizontal, Qt::Vertical}) {
        QScrollBar* sb = scrollBar(o);
        connect(sb, &QAbstractSlider::actionTriggered, this,
                [this, o](int action) { onAction(o, action); });
        // End of a thumb drag.
        connect(sb, &QAbstractSlider::sliderReleased, this, [this, o] {
            if (!writing_ && isOwner())
                raiseScroll(o);
        });
        connect(sb, &QAbstractSlider::valueChanged, this, [this, o] { onValueChanged(o); });
    }
}

Sliver::Bar& Sliver::bar(Qt::Orientation o) {
    return o == Qt::Horizontal ? h_ : v_;
}
const Sliver::Bar& Sliver::bar(Qt::Orientation o) const {
    return o == Qt::Horizontal ? h_ : v_;
}
QScrollBar* Sliver::scrollBar(Qt::Orientation o) const {
    return o == Qt::Horizontal ? hBar_.data() : vBar_.data();
}

// ---- writing the bars ----

void Sliver::writeRecord(const Bar& b, qint64 position) {
    QScrollBar* sb = scrollBar(b.orientation);
    if (!attached() || !sb)
        return;
    SliverWriteScope scope(*this);
    const int lo = b.min;
    const int hi = std::max(b.max, b.min);
    const qint64 page = effectivePage(lo, hi, b.page);
    const qint64 last = std::max<qint64>(lo, qint64(hi) - std::max<qint64>(page - 1, 0));
    sb->setRange(lo, toInt(last));
    sb->setPageStep(toInt(page));
    sb->setSingleStep(toInt(lineStep(page)));
    sb->setValue(toInt(std::clamp<qint64>(position, lo, last)));
}

void Sliver::applyVisibility(const Bar& b) {
    if (!attached())
        return;
    SliverWriteScope scope(*this);
    const auto policy = b.visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (b.orientation == Qt::Horizontal)
        host_->setHorizontalScrollBarPolicy(policy);
    else
        host_->setVerticalScrollBarPolicy(policy);
}

int Sliver::liveValue(const Bar& b) const {
    const QScrollBar* sb = scrollBar(b.orientation);
    return attached() && sb ? sb->value() : b.value;
}

void Sliver::setMin(Bar& b, int value) {
    if (value == b.min)
        return;
    b.min = value;
    writeRecord(b, liveValue(b));
}

void Sliver::setMax(Bar& b, int value) {
    if (value == b.max)
        return;
    b.max = value;
    writeRecord(b, liveValue(b));
}

void Sliver::setPage(Bar& b, int value) {
    if (value == b.page)
        return;
    const qint64 bound = qint64(b.max) - b.min + 1;
    const qint64 page =
        bound >= 0 ? std::clamp<qint64>(value, 0, bound) : std::clamp<qint64>(value, bound, 0);
    b.page = toInt(page);
    writeRecord(b, liveValue(b));
}

void Sliver::setValue(Bar& b, int value) {
    // Compared with the live position: after the user has scrolled away, setting the old
    // value again must still move the bar back.
    const bool moved = value != liveValue(b);
    b.value = value;
    if (moved)
        writeRecord(b, value);
}

void Sliver::setVisible(Bar& b, bool visible) {
    if (visible == b.visible)
        return;
    b.visible = visible;
    applyVisibility(b);
}

// ---- user operations ----

void Sliver::onAction(Qt::Orientation o, int action) {
    QScrollBar* sb = scrollBar(o);
    if (writing_ || !sb || !attached() || !isOwner())
        return;
    // The bar has not taken its new value yet: value() is still the old position.
    const qint64 position = sb->value();
    if (!bar(o).visible) {
        // A hidden bar does not scroll (the host forwards wheel turns and keys to it anyway).
        SliverWriteScope scope(*this);
        sb->setSliderPosition(sb->value());
        return;
    }
    const qint64 page = sb->pageStep();
    qint64 p = position;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        p = position - lineStep(page);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        p = position + lineStep(page);
        break;
    case QAbstractSlider::SliderPageStepSub:
        p = position - page;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        p = position + page;
        break;
    case QAbstractSlider::SliderToMinimum:
        p = sb->minimum();
        break;
    case QAbstractSlider::SliderToMaximum:
        // The last position proper: "maximum − minimum" falls short of it when the minimum
        // is not 0.
        p = sb->maximum();
        break;
    case QAbstractSlider::SliderMove:
        p = sb->sliderPosition();
        break;
    default:
        return;
    }
    {
        SliverWriteScope scope(*this);
        sb->setValue(toInt(std::clamp<qint64>(p, sb->minimum(), sb->maximum())));
    }
    raiseScroll(o);
}

void Sliver::onValueChanged(Qt::Orientation o) {
    // Positions changed outside an action (a context menu's "scroll here", kinetic scrolling).
    if (writing_ || !attached() || !isOwner())
        return;
    raiseScroll(o);
}

void Sliver::raiseScroll(Qt::Orientation o) {
    if (o == Qt::Horizontal)
        Q_EMIT HScroll();
    else
        Q_EMIT VScroll();
}

bool Sliver::eventFilter(QObject* watched, QEvent* event) {
    if (holdResize_ > 0 && event->type() == QEvent::Resize && host_ && watched == host_->viewport())
        return true;
    return QObject::eventFilter(watched, event);
}

// ---- properties ----

int Sliver::HMax() const {
    return h_.max;
}
void Sliver::setHMax(int value) {
    setMax(h_, value);
}
int Sliver::HMin() const {
    return h_.min;
}
void Sliver::setHMin(int value) {
    setMin(h_, value);
}
int Sliver::HPage() const {
    return h_.page;
}
void Sliver::setHPage(int value) {
    setPage(h_, value);
}
int Sliver::HValue() const {
    return liveValue(h_);
}
void Sliver::setHValue(int value) {
    setValue(h_, value);
}
bool Sliver::HVisible() const {
    return h_.visible;
}
void Sliver::setHVisible(bool visible) {
    setVisible(h_, visible);
}

int Sliver::VMax() const {
    return v_.max;
}
void Sliver::setVMax(int value) {
    setMax(v_, value);
}
int Sliver::VMin() const {
    return v_.min;
}
void Sliver::setVMin(int value) {
    setMin(v_, value);
}
int Sliver::VPage() const {
    return v_.page;
}
void Sliver::setVPage(int value) {
    setPage(v_, value);
}
int Sliver::VValue() const {
    return liveValue(v_);
}
void Sliver::setVValue(int value) {
    setValue(v_, value);
}
bool Sliver::VVisible() const {
    return v_.visible;
}
void Sliver::setVVisible(bool visible) {
    setVisible(v_, visible);
}

// ---- persistence ----

void Sliver::ReadProperties(const PropertyBag& bag) {
    const auto load = [&bag](Bar& b, const QString& prefix, bool defaultVisible) {
        b.max = readInt(bag, prefix + QLatin1String("Max"), kDefaultMax);
        b.min = readInt(bag, prefix + QLatin1String("Min"), kDefaultMin);
        b.page = readInt(bag, prefix + QLatin1String("Page"), kDefaultPage);
        b.value = readInt(bag, prefix + QLatin1String("Value"), kDefaultValue);
        b.visible = readBool(bag, prefix + QLatin1String("Visible"), defaultVisible);
    };
    load(h_, QStringLiteral("H"), true);
    load(v_, QStringLiteral("V"), false);
    writeRecord(h_, h_.value);
    writeRecord(v_, v_.value);
    applyVisibility(h_);
    applyVisibility(v_);
}

void Sliver::WriteProperties(PropertyBag& bag) const {
    const auto save = [&bag](const Bar& b, const QString& prefix, bool defaultVisible) {
        bag.WriteProperty(prefix + QLatin1String("Max"), b.max, kDefaultMax);
        bag.WriteProperty(prefix + QLatin1String("Min"), b.min, kDefaultMin);
        bag.WriteProperty(prefix + QLatin1String("Page"), b.page, kDefaultPage);
        bag.WriteProperty(prefix + QLatin1String("Value"), b.value, kDefaultValue);
        bag.WriteProperty(prefix + QLatin1String("Visible"), b.visible, defaultVisible);
    };
    save(h_, QStringLiteral("H"), true);
    save(v_, QStringLiteral("V"), false);
}
