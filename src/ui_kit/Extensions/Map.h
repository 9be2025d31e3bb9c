#pragma once

#include <QList>
#include <QMap>
#include <functional>
#include <type_traits>

// Mapping every element of a collection to a new value.
namespace Map {

// One result per element, in the list's order; the block gets the element and its index.
template <class T, class Block>
auto mapObjectsUsingBlock(const QList<T>& array, Block block)
    -> QList<std::invoke_result_t<Block, const T&, qsizetype>> {
    QList<std::invoke_result_t<Block, const T&, qsizetype>> result;
    result.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i)
        result.append(block(array.at(i), i));
    return result;
}

// Under each key, the block's result for that entry; the block gets the value, then the key.
template <class K, class V, class Block>
auto mapDictionaryObjectsUsingBlock(const QMap<K, V>& dictionary, Block block)
    -> QMap<K, std::invoke_result_t<Block, const V&, const K&>> {
    QMap<K, std::invoke_result_t<Block, const V&, const K&>> result;
    for (auto it = dictionary.cbegin(); it != dictionary.cend(); ++it)
        result.insert(it.key(), block(it.value(), it.key()));
    return result;
}

} // namespace Map
