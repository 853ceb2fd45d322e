// Deterministic generator of benchmark inputs:
//   bench_generate gff PATH LINES     GENCODE-like annotation, 150-250-byte attributes
//   bench_generate models PATH LINES  GENCODE-like gene models: isoforms with exons, CDS, UTRs
//                                     and start/stop codons, linked by ID and Parent
//   bench_generate bed PATH LINES     sorted BED6 peaks
// The same arguments always give the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// xorshift64*: small, fast and identical on every platform.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 2685821657736338717ull;
    }
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
    uint32_t Between(uint32_t low, uint32_t high) { return low + Below(high - low + 1); }

private:
    uint64_t state_;
};

struct Chromosome {
    const char* name;
    uint32_t length;
};

// Human chromosome lengths (GRCh38), so features spread as in real annotations.
const Chromosome kChromosomes[] = {
    {"chr1", 248956422},  {"chr2", 242193529},  {"chr3", 198295559},  {"chr4", 190214555},
    {"chr5", 181538259},  {"chr6", 170805979},  {"chr7", 159345973},  {"chr8", 145138636},
    {"chr9", 138394717},  {"chr10", 133797422}, {"chr11", 135086622}, {"chr12", 133275309},
    {"chr13", 114364328}, {"chr14", 107043718}, {"chr15", 101991189}, {"chr16", 90338345},
    {"chr17", 83257441},  {"chr18", 80373285},  {"chr19", 58617616},  {"chr20", 64444167},
    {"chr21", 46709983},  {"chr22", 50818468},  {"chrX", 156040895},  {"chrY", 57227415}};
constexpr uint64_t kGenomeLength = 3088269832ull;

const char* const kGeneTypes[] = {
    "protein_coding", "lncRNA", "processed_pseudogene", "transcribed_unprocessed_pseudogene",
    "misc_RNA",       "snRNA"};
const char* const kSources[] = {"HAVANA", "ENSEMBL"};
const char* const kTags[] = {";tag=basic", ";tag=basic,CCDS;ccdsid=CCDS30547.1",
                             ";tag=Ensembl_canonical,MANE_Select,basic", ""};

// Writes GFF lines of genes spread over the chromosomes by their lengths, up to a number of
// lines.
class AnnotationWriter {
protected:
    AnnotationWriter(std::FILE* out, uint64_t lines, uint64_t seed)
        : out_(out), target_(lines), random_(seed) {}

    // Calls writeGene(chromosome, start) at random gaps of minimumGap bases or more, about
    // linesPerGene lines apart, until each chromosome has its share of the lines.
    template <typename WriteGene>
    void SpreadGenes(uint32_t minimumGap, uint64_t linesPerGene, const WriteGene& writeGene) {
        for (const Chromosome& chromosome : kChromosomes) {
            const uint64_t share = target_ * chromosome.length / kGenomeLength + 1;
            const uint64_t stopAt = std::min<uint64_t>(written_ + share, target_);
            uint32_t position = 11000;
            while (written_ < stopAt && position < chromosome.length - 3000000) {
                position +=
                    random_.Between(minimumGap, 2 * chromosome.length / (share / linesPerGene + 1));
                writeGene(chromosome.name, position);
            }
        }
    }

    // One line, its attributes cut to 250 bytes and padded to minimumAttributes.
    void Line(const char* chromosome, const char* source, const char* feature, uint32_t start,
              uint32_t end, char strand, char frame, std::string attributes,
              size_t minimumAttributes) {
        if (written_ >= target_)
            return;
        if (attributes.size() > 250)
            attributes.resize(250);
        while (attributes.size() < minimumAttributes)
            attributes += ";note=padding";
        std::fprintf(out_, "%s\t%s\t%s\t%u\t%u\t.\t%c\t%c\t%s\n", chromosome, source, feature,
                     start, end, strand, frame, attributes.c_str());
        ++written_;
    }

    std::FILE* out_;
    const uint64_t target_;
    Random random_;
    uint64_t written_ = 0;
};

class GffWriter : AnnotationWriter {
public:
    GffWriter(std::FILE* out, uint64_t lines) : AnnotationWriter(out, lines, 0x10C05C0Eull) {}

    void Run() {
        SpreadGenes(500, 12, [this](const char* chromosome, uint32_t start) {
            WriteGene(chromosome, start);
        });
        while (written_ < target_)
            WriteGene("chrUn_KI270742v1", 1000 + 50000 * static_cast<uint32_t>(written_ % 40));
    }

private:
    void WriteGene(const char* chromosome, uint32_t start) {
        ++geneNumber_;
        const char strand = random_.Below(2) ? '+' : '-';
        const char* type = kGeneTypes[random_.Below(6)];
        const char* source = kSources[random_.Below(2)];
        char geneId[32], geneName[32];
        std::snprintf(geneId, sizeof geneId, "ENSG%011u.%u", geneNumber_, random_.Between(1, 19));
        std::snprintf(geneName, sizeof geneName, "GENE%u-AS%u", geneNumber_ % 40000,
                      random_.Between(1, 3));
        const uint32_t transcripts = random_.Between(1, 4);
        // Exon layout shared by the transcripts of a gene.
        std::vector<std::pair<uint32_t, uint32_t>> exons;
        uint32_t at = start;
        for (uint32_t e = random_.Between(2, 9); e > 0; --e) {
            const uint32_t length = random_.Between(60, 900);
            exons.emplace_back(at, at + length - 1);
            at += length + random_.Between(200, 12000);
        }
        const uint32_t end = exons.back().second;
        std::string common =
            std::string(";gene_id=") + geneId + ";gene_type=" + type + ";gene_name=" + geneName;
        Line(chromosome, source, "gene", start, end, strand, '.',
             std::string("ID=") + geneId + common +
                 ";level=2;hgnc_id=HGNC:" + std::to_string(geneNumber_ % 50000));
        for (uint32_t t = 1; t <= transcripts && written_ < target_; ++t) {
            char transcriptId[32];
            std::snprintf(transcriptId, sizeof transcriptId, "ENST%011u.%u", geneNumber_ * 4 + t,
                          random_.Between(1, 9));
            const std::string parent = std::string(";Parent=") + transcriptId;
            const std::string transcriptAttributes =
                common + ";transcript_id=" + transcriptId + ";transcript_type=" + type +
                ";transcript_name=" + geneName + "-20" + std::to_string(t) + ";level=2" +
                kTags[random_.Below(4)];
            Line(chromosome, source, "transcript", start, end, strand, '.',
                 std::string("ID=") + transcriptId + ";Parent=" + geneId + transcriptAttributes);
            int number = 0;
            for (const auto& exon : exons) {
                ++number;
                const std::string exonAttributes =
                    parent + transcriptAttributes + ";exon_number=" + std::to_string(number) +
                    ";exon_id=ENSE" + std::to_string(70000000000ull + geneNumber_ * 16 + number);
                Line(chromosome, source, "exon", exon.first, exon.second, strand, '.',
                     "ID=exon:" + std::string(transcriptId) + ":" + std::to_string(number) +
                         exonAttributes);
                if (type == kGeneTypes[0] && number > 1 && number < static_cast<int>(exons.size()))
                    Line(chromosome, source, "CDS", exon.first, exon.second, strand,
                         static_cast<char>('0' + number % 3),
                         "ID=CDS:" + std::string(transcriptId) + exonAttributes +
                             ";protein_id=ENSP" + std::to_string(geneNumber_));
            }
        }
    }

    // Attributes are kept between 150 and 250 bytes, as in GENCODE.
    void Line(const char* chromosome, const char* source, const char* feature, uint32_t start,
              uint32_t end, char strand, char frame, std::string attributes) {
        AnnotationWriter::Line(chromosome, source, feature, start, end, strand, frame,
                               std::move(attributes), 150);
    }

    uint32_t geneNumber_ = 0;
};

// Genes with one to four isoforms, each a different choice of the gene's exons; coding
// isoforms have CDS between their UTRs and start and stop codons, as GENCODE writes them.
class ModelsWriter : AnnotationWriter {
public:
    ModelsWriter(std::FILE* out, uint64_t lines) : AnnotationWriter(out, lines, 0x6E4EC0DEull) {}

    void Run() {
        SpreadGenes(2000, 30, [this](const char* chromosome, uint32_t start) {
            WriteGene(chromosome, start);
        });
    }

private:
    using Exon = std::pair<uint32_t, uint32_t>;

    void WriteGene(const char* chromosome, uint32_t start) {
        ++gene_;
        const char strand = random_.Below(2) ? '+' : '-';
        const bool coding = random_.Below(3) != 0;
        std::vector<Exon> exons;
        uint32_t at = start;
        for (uint32_t e = random_.Between(3, 12); e > 0; --e) {
            const uint32_t length = random_.Between(60, 600);
            exons.emplace_back(at, at + length - 1);
            at += length + random_.Between(300, 9000);
        }
        char gene[40];
        std::snprintf(gene, sizeof gene, "ENSG%011u.%u", gene_, gene_ % 17 + 1);
        const std::string name = "GM" + std::to_string(gene_);
        const std::string common = std::string(";gene_id=") + gene +
                                   ";gene_type=" + (coding ? "protein_coding" : "lncRNA") +
                                   ";gene_name=" + name;
        Line(chromosome, "gene", start, exons.back().second, strand,
             "ID=" + std::string(gene) + common);
        for (uint32_t t = 1, isoforms = random_.Between(1, 4); t <= isoforms; ++t) {
            // Each isoform skips some inner exons.
            std::vector<Exon> used;
            for (size_t e = 0; e < exons.size(); ++e) {
                if (e == 0 || e + 1 == exons.size() || random_.Below(4) != 0)
                    used.push_back(exons[e]);
            }
            char id[40];
            std::snprintf(id, sizeof id, "ENST%011u.%u", gene_ * 4 + t, t);
            const std::string attributes = common + ";transcript_id=" + id +
                                           ";transcript_name=" + name + "-20" + std::to_string(t) +
                                           ";level=2;tag=basic";
            Line(chromosome, "transcript", used.front().first, used.back().second, strand,
                 "ID=" + std::string(id) + ";Parent=" + gene + attributes);
            const std::string child = std::string(";Parent=") + id + attributes;
            for (size_t e = 0; e < used.size(); ++e)
                Line(chromosome, "exon", used[e].first, used[e].second, strand,
                     "ID=exon:" + std::string(id) + ":" + std::to_string(e + 1) + child);
            if (coding)
                WriteCoding(chromosome, used, strand, id, child);
        }
    }

    // CDS from the middle of the first exon to the middle of the last; the rest are UTRs.
    void WriteCoding(const char* chromosome, const std::vector<Exon>& exons, char strand,
                     const char* id, const std::string& child) {
        const uint32_t codingStart = (exons.front().first + exons.front().second) / 2;
        const uint32_t codingStop = (exons.back().first + exons.back().second) / 2;
        const bool forward = strand == '+';
        const char* before = forward ? "five_prime_UTR" : "three_prime_UTR";
        const char* after = forward ? "three_prime_UTR" : "five_prime_UTR";
        Line(chromosome, before, exons.front().first, codingStart - 1, strand,
             "ID=UTR5:" + std::string(id) + child);
        for (const Exon& exon : exons) {
            const uint32_t from = std::max(exon.first, codingStart);
            const uint32_t to = std::min(exon.second, codingStop);
            if (from <= to)
                Line(chromosome, "CDS", from, to, strand, "ID=CDS:" + std::string(id) + child);
        }
        Line(chromosome, after, codingStop + 1, exons.back().second, strand,
             "ID=UTR3:" + std::string(id) + child);
        Line(chromosome, forward ? "start_codon" : "stop_codon", codingStart, codingStart + 2,
             strand, "ID=codon1:" + std::string(id) + child);
        Line(chromosome, forward ? "stop_codon" : "start_codon", codingStop - 2, codingStop, strand,
             "ID=codon2:" + std::string(id) + child);
    }

    void Line(const char* chromosome, const char* feature, uint32_t start, uint32_t end,
              char strand, std::string attributes) {
        AnnotationWriter::Line(chromosome, "HAVANA", feature, start, end, strand, '.',
                               std::move(attributes), 0);
    }

    uint32_t gene_ = 0;
};

void WriteBed(std::FILE* out, uint64_t lines) {
    Random random(0xBED6BED6ull);
    uint64_t written = 0;
    for (const Chromosome& chromosome : kChromosomes) {
        const uint64_t share = lines * chromosome.length / kGenomeLength + 1;
        const uint32_t spacing = static_cast<uint32_t>(chromosome.length / (share + 1));
        uint32_t position = 10000;
        for (uint64_t i = 0; i < share && written < lines; ++i, ++written) {
            position += random.Between(spacing / 2, spacing * 3 / 2);
            std::fprintf(out, "%s\t%u\t%u\tpeak_%09llu\t%u\t%c\n", chromosome.name, position,
                         position + random.Between(50, 800),
                         static_cast<unsigned long long>(written), random.Below(1001),
                         random.Below(2) ? '+' : '-');
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool known =
        argc == 4 && (std::strcmp(argv[1], "gff") == 0 || std::strcmp(argv[1], "models") == 0 ||
                      std::strcmp(argv[1], "bed") == 0);
    if (!known) {
        std::fprintf(stderr, "usage: %s gff|models|bed PATH LINES\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 1;
    }
    const uint64_t lines = std::strtoull(argv[3], nullptr, 10);
    if (std::strcmp(argv[1], "gff") == 0)
        GffWriter(out, lines).Run();
    else if (std::strcmp(argv[1], "models") == 0)
        ModelsWriter(out, lines).Run();
    else
        WriteBed(out, lines);
    return std::fclose(out) == 0 ? 0 : 1;
}
