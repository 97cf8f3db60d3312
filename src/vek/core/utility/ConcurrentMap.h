#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <utility>

namespace VEK {
namespace Core {

// A map shared between threads: the keys are spread over a fixed number of shards, each behind
// a reader-writer lock, so that lookups of different keys rarely wait on each other. Values are
// copied out under the lock; nothing returned refers into the map. Value{} means "absent".
template <class Key, class Value, class Hash = std::hash<Key>>
class ConcurrentMap {
public:
    // The value held for key, or Value{} when there is none.
    Value find(const Key& key) const {
        const Shard& shard = shardOf(key);
        std::shared_lock<std::shared_mutex> lock(shard.mutex);
        const auto found = shard.map.find(key);
        return found == shard.map.end() ? Value{} : found->second;
    }

    // Stores value unless the key already has one: the first insert wins. Returns the value the
    // map holds for the key afterwards, ours or the earlier one.
    Value insert(const Key& key, Value value) {
        Shard& shard = shardOf(key);
        std::lock_guard<std::shared_mutex> lock(shard.mutex);
        return shard.map.emplace(key, std::move(value)).first->second;
    }

    // Whether the key had a value.
    bool erase(const Key& key) {
        Shard& shard = shardOf(key);
        std::lock_guard<std::shared_mutex> lock(shard.mutex);
        return shard.map.erase(key) != 0;
    }

    void clear() {
        for (Shard& shard : shards_) {
            std::lock_guard<std::shared_mutex> lock(shard.mutex);
            shard.map.clear();
        }
    }

private:
    static constexpr std::size_t kShards = 8;

    struct Shard {
        mutable std::shared_mutex mutex;
        std::unordered_map<Key, Value, Hash> map;
    };

    Shard& shardOf(const Key& key) { return shards_[index(key)]; }
    const Shard& shardOf(const Key& key) const { return shards_[index(key)]; }
    static std::size_t index(const Key& key) {
        // Pointer keys hash to their address, whose low bits are alignment: fold higher bits in.
        const std::size_t hash = Hash()(key);
        return (hash ^ (hash >> 4) ^ (hash >> 12)) % kShards;
    }

    Shard shards_[kShards];
};

}  // namespace Core
}  // namespace VEK
