#include "sound/Cache.h"

#include <strings.h>

#include <cctype>

int CCache::GetBucket(const char* name)
{
    unsigned char sum = 0;
    for (const char* p = name; *p; ++p)
        sum = static_cast<unsigned char>(sum + std::tolower(static_cast<unsigned char>(*p)));
    return sum;
}

CSmartPtr<CSample> CCache::Find(const char* name) const
{
    for (const CCacheElement& element : m_buckets[GetBucket(name)])
        if (strcasecmp(element.name.c_str(), name) == 0)
            return element.sample;
    return CSmartPtr<CSample>();
}

int CCache::Add(const char* name, const CSmartPtr<CSample>& sample)
{
    if (Find(name))
        return 0;
    m_buckets[GetBucket(name)].push_back(CCacheElement{name, sample});
    return 1;
}

void CCache::Clear()
{
    for (std::vector<CCacheElement>& bucket : m_buckets)
        bucket.clear();
}

size_t CCache::GetCount() const
{
    size_t count = 0;
    for (const std::vector<CCacheElement>& bucket : m_buckets)
        count += bucket.size();
    return count;
}
