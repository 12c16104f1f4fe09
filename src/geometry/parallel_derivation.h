// Objects derive independently of each other, so a document's objects are
// derived on a pool of threads, one object at a time per thread. Each object's
// result is exactly what the single-threaded chain gives, whatever the thread
// count: no object's work reads or writes another's.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace brimvale {

class CMeshObject;
struct CDisplaySettings;

// The number of threads derivation uses: all cores unless set. A count of 0
// or less goes back to all cores.
int DerivationThreads();
void SetDerivationThreads(int threads);
int AllCores();

// Told after each finished item on the calling thread (done of total); false
// stops the work: items not yet started are skipped.
using DerivationProgress = std::function<bool(size_t done, size_t total)>;

// Runs work(i) for every i below count on up to `threads` threads (the calling
// thread waits and reports progress: after each item, and at least every
// tenth of a second meanwhile, with the same count when no item has ended). Items start in the order of `order`
// when given (largest first keeps the threads busy to the end). An exception
// thrown by the work is thrown again here once every thread has stopped.
// False when the progress callback stopped the work.
bool RunInParallel(size_t count, int threads, const std::function<void(size_t)>& work,
                   const DerivationProgress& progress = nullptr, const std::vector<size_t>* order = nullptr);

// Runs part(begin, end) over consecutive ranges that cover [0, count), at
// least minPerRange items each, on the calling thread plus the derivation
// threads idle at the start (so the last large object of a document gets the
// threads its smaller siblings are done with). Ranges must write disjoint data,
// and the result must not depend on which thread runs which range. An
// exception from a range is thrown again here once every range has stopped.
void ForEachRangeOnSpareThreads(size_t count, size_t minPerRange,
                                const std::function<void(size_t begin, size_t end)>& part);

// A rough measure of the work in deriving an object (faces through the stages).
double DerivationCost(const CMeshObject& object);

// The objects' indices, costliest first (ties in list order).
std::vector<size_t> CostliestFirst(const std::vector<CMeshObject*>& objects);

// Builds the derived geometry of every listed object that has none (with
// keepUVs as CMeshBuilder::BuildDerivedGeometry takes it).
bool BuildDerivedGeometryInParallel(const std::vector<CMeshObject*>& objects, const CDisplaySettings* display,
                                    int threads = 0, const DerivationProgress& progress = nullptr,
                                    bool keepUVs = true);

// Freezes every listed object (see CMeshBuilder::FreezeModifiers).
bool FreezeInParallel(const std::vector<CMeshObject*>& objects, int threads = 0,
                      const DerivationProgress& progress = nullptr);

}  // namespace brimvale
