#pragma once
// The loaded sounds by pack name, so each is read and decoded once and then
// kept until the sound system goes. Names match in any ASCII case.
#include <cstddef>
#include <string>
#include <vector>

#include "fish/SmartPtr.h"
#include "sound/Sample.h"

struct CCacheElement
{
    std::string name;
    CSmartPtr<CSample> sample;
};

class CCache
{
public:
    static const int BUCKET_COUNT = 256;

    // The sample of that name, or an empty pointer.
    CSmartPtr<CSample> Find(const char* name) const;
    // 0 when the name is already there, else keeps the sample and returns 1.
    int Add(const char* name, const CSmartPtr<CSample>& sample);
    // Forgets every sample, releasing its buffer.
    void Clear();
    // How many samples are kept.
    size_t GetCount() const;
    // The sum of the name's lower-case bytes, wrapping at 256.
    static int GetBucket(const char* name);

private:
    std::vector<CCacheElement> m_buckets[BUCKET_COUNT];
};
