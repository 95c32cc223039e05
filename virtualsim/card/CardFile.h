#pragma once
// One file of the card: the master file, a dedicated file or an elementary file
// (TS 51.011 6). Directories own their children; elementary files own their
// body. Record files keep their records in record-number order, so record 1 of
// a cyclic file is always the newest.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace virtualsim {

enum class FileType : uint8_t { Mf = 0x01, Df = 0x02, Ef = 0x04 };
enum class EfStructure : uint8_t { Transparent = 0x00, LinearFixed = 0x01, Cyclic = 0x03 };

// TS 51.011 9.3: access condition levels, one nibble each. 4 to E are the
// administrative levels, which no command of this interface can satisfy.
namespace access {
inline constexpr uint8_t kAlways = 0x0;
inline constexpr uint8_t kChv1 = 0x1;
inline constexpr uint8_t kChv2 = 0x2;
inline constexpr uint8_t kAdm = 0x4;
inline constexpr uint8_t kNever = 0xF;
} // namespace access

struct AccessConditions {
    uint8_t read = access::kAlways; // READ and SEEK
    uint8_t update = access::kAlways;
    uint8_t increase = access::kNever;
    uint8_t invalidate = access::kAdm;
    uint8_t rehabilitate = access::kAdm;

    bool operator==(const AccessConditions&) const = default;
};

inline constexpr size_t kMaxRecordCount = 255; // record numbers are one byte
inline constexpr size_t kMaxRecordLength = 255;
inline constexpr size_t kMaxTransparentSize = 0xFFFF;

class CardFile {
public:
    static std::unique_ptr<CardFile> makeDirectory(uint16_t id, FileType type);
    static std::unique_ptr<CardFile> makeTransparent(uint16_t id, size_t size);
    static std::unique_ptr<CardFile> makeRecordFile(uint16_t id, EfStructure structure,
                                                    size_t recordLength, size_t recordCount);

    CardFile(const CardFile&) = delete;
    CardFile& operator=(const CardFile&) = delete;

    [[nodiscard]] uint16_t id() const { return m_id; }
    [[nodiscard]] FileType type() const { return m_type; }
    [[nodiscard]] bool isDirectory() const { return m_type != FileType::Ef; }
    [[nodiscard]] CardFile* parent() const { return m_parent; }
    // "3F00/7F10/6F3A"
    [[nodiscard]] std::string path() const;

    // Directories. Adding fails (nullptr) for a child id already used in this
    // directory or one that would make selection ambiguous (3F00, this
    // directory's own id or its parent's).
    CardFile* addChild(std::unique_ptr<CardFile> child);
    [[nodiscard]] CardFile* child(uint16_t id) const;
    [[nodiscard]] const std::vector<std::unique_ptr<CardFile>>& children() const {
        return m_children;
    }
    [[nodiscard]] size_t directoryCount() const;
    [[nodiscard]] size_t elementaryFileCount() const;
    [[nodiscard]] uint16_t freeMemory() const { return m_freeMemory; }
    void setFreeMemory(uint16_t bytes) { m_freeMemory = bytes; }
    // An application DF's name (AID, 1 to 16 bytes); empty for other directories.
    [[nodiscard]] const std::vector<uint8_t>& applicationId() const { return m_applicationId; }
    void setApplicationId(std::vector<uint8_t> aid) { m_applicationId = std::move(aid); }

    // Elementary files.
    [[nodiscard]] EfStructure structure() const { return m_structure; }
    [[nodiscard]] bool isRecordFile() const {
        return m_type == FileType::Ef && m_structure != EfStructure::Transparent;
    }
    [[nodiscard]] size_t recordLength() const { return m_recordLength; }
    [[nodiscard]] size_t recordCount() const;
    [[nodiscard]] size_t size() const { return m_body.size(); }
    [[nodiscard]] std::span<const uint8_t> body() const { return m_body; }
    [[nodiscard]] std::span<uint8_t> body() { return m_body; }
    // Record 1 .. recordCount(); the caller checks the number.
    [[nodiscard]] std::span<const uint8_t> record(size_t number) const;
    [[nodiscard]] std::span<uint8_t> record(size_t number);
    // TS 51.011 8.6: a cyclic file's oldest record takes the data and becomes record 1.
    void pushCyclic(std::span<const uint8_t> data);

    [[nodiscard]] const AccessConditions& access() const { return m_access; }
    void setAccess(const AccessConditions& access) { m_access = access; }
    [[nodiscard]] bool invalidated() const { return m_invalidated; }
    void setInvalidated(bool invalidated) { m_invalidated = invalidated; }
    [[nodiscard]] bool readableWhenInvalidated() const { return m_readableWhenInvalidated; }
    void setReadableWhenInvalidated(bool readable) { m_readableWhenInvalidated = readable; }
    [[nodiscard]] bool increaseAllowed() const { return m_increaseAllowed; }
    void setIncreaseAllowed(bool allowed) { m_increaseAllowed = allowed; }

    // Worn memory (TS 51.011 9.4.3): updates of this file fail with 9240, or
    // succeed after some internal retries and report 920X.
    [[nodiscard]] bool memoryProblem() const { return m_memoryProblem; }
    void setMemoryProblem(bool problem) { m_memoryProblem = problem; }
    [[nodiscard]] uint8_t updateRetries() const { return m_updateRetries; }
    void setUpdateRetries(uint8_t retries) { m_updateRetries = retries & 0x0F; }

private:
    CardFile(uint16_t id, FileType type) : m_id(id), m_type(type) {}

    uint16_t m_id;
    FileType m_type;
    CardFile* m_parent = nullptr;
    std::vector<std::unique_ptr<CardFile>> m_children;
    uint16_t m_freeMemory = 0;
    std::vector<uint8_t> m_applicationId;

    EfStructure m_structure = EfStructure::Transparent;
    size_t m_recordLength = 0;
    std::vector<uint8_t> m_body;
    AccessConditions m_access;
    bool m_invalidated = false;
    bool m_readableWhenInvalidated = false;
    bool m_increaseAllowed = false;
    bool m_memoryProblem = false;
    uint8_t m_updateRetries = 0;
};

} // namespace virtualsim
