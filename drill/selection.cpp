// Question selection: four strategies mixed at odds set by the question tendency.
#include "drill/selection.h"

#include "drill/random.h"

namespace {

const char* const kTagTexts[] = {"New", "Miss1", "Miss2", "Rnd"};

// One attempt with the strategy that `tag` names.
WordRecord* TryStrategy(int tag, int displayOnly)
{
    switch (tag) {
    case kTagNew:
        return PickNew(displayOnly);
    case kTagMiss1:
        return PickMiss(MissKey::Ratio);
    case kTagMiss2:
        return PickMiss(MissKey::Count);
    default:
        return PickRnd();
    }
}

// The strategy of the first attempt for a tendency and a draw d of 0-9.
int FirstStrategy(int trend, int d)
{
    if (trend == 1) {
        if (d <= 5)
            return kTagNew;
        if (d == 6)
            return kTagMiss1;
        if (d == 7)
            return kTagMiss2;
        return kTagRnd;
    }
    if (trend == 2) {
        if (d <= 2)
            return kTagMiss1;
        if (d <= 5)
            return kTagMiss2;
        if (d <= 7)
            return kTagNew;
        return kTagRnd;
    }
    if (d <= 5)
        return kTagRnd;
    if (d == 6)
        return kTagMiss1;
    if (d == 7)
        return kTagMiss2;
    return kTagNew;
}

// The full candidate slots ordered as a binary min-heap by key, then by slot number.
struct SlotHeap {
    int slot[kCandidateLimit];
    const double* keys;
};

bool Before(const SlotHeap& h, int a, int b)
{
    double ka = h.keys[h.slot[a]];
    double kb = h.keys[h.slot[b]];
    return ka < kb || (ka == kb && h.slot[a] < h.slot[b]);
}

// Moves the entry at `at` down until neither child comes before it.
void SiftDown(SlotHeap* h, int at)
{
    for (;;) {
        int first = at;
        int left = 2 * at + 1;
        int right = left + 1;
        if (left < kCandidateLimit && Before(*h, left, first))
            first = left;
        if (right < kCandidateLimit && Before(*h, right, first))
            first = right;
        if (first == at)
            return;
        int swap = h->slot[at];
        h->slot[at] = h->slot[first];
        h->slot[first] = swap;
        at = first;
    }
}

void BuildHeap(SlotHeap* h)
{
    for (int i = 0; i < kCandidateLimit; ++i)
        h->slot[i] = i;
    for (int i = kCandidateLimit / 2 - 1; i >= 0; --i)
        SiftDown(h, i);
}

} // namespace

const char* SelectionTagText(int tag)
{
    if (tag < 0 || tag > 3)
        return "";
    return kTagTexts[tag];
}

WordRecord* SelectQuestion(int trend, int displayOnly, int* tag)
{
    int d = RandomRange(0, 9);
    int tried = FirstStrategy(trend, d);
    WordRecord* picked = TryStrategy(tried, displayOnly);
    if (picked == nullptr && tried == kTagMiss1 && trend == 2) {
        tried = kTagMiss2;
        picked = TryStrategy(tried, displayOnly);
    }
    // A failed New would fail again the same way without drawing, so it is not repeated.
    if (picked == nullptr && tried != kTagNew) {
        tried = kTagNew;
        picked = TryStrategy(tried, displayOnly);
    }
    if (picked == nullptr) {
        tried = kTagRnd;
        picked = TryStrategy(tried, displayOnly);
    }
    if (tag != nullptr)
        *tag = tried;
    return picked;
}

WordRecord* PickRnd()
{
    int count = 0;
    for (WordRecord* r = g_wordBook.first; r != nullptr; r = r->next)
        ++count;
    if (count == 0)
        return nullptr;
    int position = RandomRange(0, count - 1);
    WordRecord* r = g_wordBook.first;
    while (position-- > 0)
        r = r->next;
    return r;
}

WordRecord* PickNew(int displayOnly)
{
    WordRecord* candidates[kCandidateLimit];
    int held = 0;
    WordRecord* leastAsked = nullptr;
    long bestSum = kLeastAskedLimit;
    for (WordRecord* r = g_wordBook.first; r != nullptr; r = r->next) {
        if (r->RightCount + r->WrongCount == 0 && r->CheckOnly == 0) {
            candidates[held++] = r;
            if (held == kCandidateLimit)
                break;
            continue;
        }
        long sum = static_cast<long>(r->RightCount) + r->WrongCount + r->CheckCount;
        if (sum < bestSum) {
            bestSum = sum;
            leastAsked = r;
        }
    }
    if (held > 0)
        return candidates[RandomRange(0, held - 1)];
    if (displayOnly != 0)
        return nullptr;
    return leastAsked;
}

WordRecord* PickMiss(MissKey key)
{
    WordRecord* slots[kCandidateLimit];
    double keys[kCandidateLimit];
    int held = 0;
    // The smallest key held, kept in single precision; the comparisons below promote it
    // back to double, so a key equal to it may or may not count as greater.
    float smallest = key == MissKey::Ratio ? 1.0f : 10000.0f;
    int smallestSlot = 0;
    // Once the slots are full and the first replacement is made, the slots are ordered
    // in a heap instead of being rescanned after every replacement; its root is the
    // first slot with the smallest key, the slot a rescan from the first would find.
    SlotHeap heap{{}, keys};
    bool byRatio = key == MissKey::Ratio;
    bool heapBuilt = false;
    unsigned allowance = byRatio ? 0u : 2u;
    for (WordRecord* r = g_wordBook.first; r != nullptr; r = r->next) {
        // The counters vary at random from record to record, so the common case (not
        // eligible, or no greater than the smallest key held) is decided without
        // branches or division. A ratio is compared as wrong > smallest * total, which
        // is exact in double (24 by 17 bits) and lets through every ratio that could
        // be greater; the ratio itself is then compared as it is held.
        unsigned right = r->RightCount;
        unsigned wrong = r->WrongCount;
        unsigned total = right + wrong;
        bool eligible = (wrong >= 1) & (r->CheckOnly == 0) & (right <= wrong + allowance);
        double bound = byRatio ? static_cast<double>(smallest) * total : smallest;
        if (!(eligible & ((held < kCandidateLimit) | (wrong > bound))))
            continue;
        double value = byRatio ? static_cast<double>(wrong) / total : wrong;
        if (held < kCandidateLimit) {
            slots[held] = r;
            keys[held] = value;
            if (value <= smallest) {
                smallest = static_cast<float>(value);
                smallestSlot = held;
            }
            ++held;
            continue;
        }
        if (!(value > smallest))
            continue;
        slots[smallestSlot] = r;
        keys[smallestSlot] = value;
        if (!heapBuilt) {
            BuildHeap(&heap);
            heapBuilt = true;
        } else {
            SiftDown(&heap, 0);
        }
        smallestSlot = heap.slot[0];
        smallest = static_cast<float>(keys[smallestSlot]);
    }
    if (held == 0)
        return nullptr;
    return slots[RandomRange(0, held - 1)];
}
