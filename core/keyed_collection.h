// An ordered collection of owned objects under text keys, as the controller keeps its contour
// levels ("Gr_" + number) and maximum points ("P_" + number): items stay in the order they
// were added, keys compare without regard to letter case, and an item that is removed or
// cleared is destroyed at once (which unloads its window controls).
#pragma once

#include <QString>
#include <memory>
#include <utility>
#include <vector>

template <class T> class KeyedCollection {
  public:
    using Entry = std::pair<QString, std::unique_ptr<T>>;

    // The item under `key`, or nullptr.
    T* Item(const QString& key) const {
        const size_t at = find(key);
        return at < items_.size() ? items_[at].second.get() : nullptr;
    }
    // Adds `item` at the end; false (and the item is dropped) when the key is taken.
    bool Add(const QString& key, std::unique_ptr<T> item) {
        if (find(key) < items_.size())
            return false;
        items_.emplace_back(key, std::move(item));
        return true;
    }
    // Removes and destroys the item under `key`; false when there is none.
    bool Remove(const QString& key) {
        const size_t at = find(key);
        if (at >= items_.size())
            return false;
        // Taken out first: its destructor may look at the collection.
        std::unique_ptr<T> gone = std::move(items_[at].second);
        items_.erase(items_.begin() + at);
        return true;
    }
    void Clear() {
        std::vector<Entry> gone = std::move(items_);
        items_.clear();
    }
    int Count() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }

    // Iteration in collection order over the items themselves.
    class const_iterator {
      public:
        explicit const_iterator(typename std::vector<Entry>::const_iterator it) : it_(it) {}
        T& operator*() const { return *it_->second; }
        T* operator->() const { return it_->second.get(); }
        const_iterator& operator++() {
            ++it_;
            return *this;
        }
        bool operator==(const const_iterator&) const = default;

      private:
        typename std::vector<Entry>::const_iterator it_;
    };
    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

  private:
    // The position of `key`, or the size when it is absent.
    size_t find(const QString& key) const {
        for (size_t at = 0; at < items_.size(); ++at)
            if (items_[at].first.compare(key, Qt::CaseInsensitive) == 0)
                return at;
        return items_.size();
    }
    std::vector<Entry> items_;
};
