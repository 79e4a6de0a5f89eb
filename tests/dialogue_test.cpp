// The whole program run as a script runs it: answers piped in, no terminal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "program_runner.hpp"

namespace {

const std::string greeting =
    "\n\n frq_ratio  ver 1.2 \n October 29, 2003\n"
    " Credits: written for the engineers who measure what shakes.\n"
    "\n\n This program divides a response function by an input function. \n"
    "\n Each program must have two columns: frequency (Hz) & amplitude. \n";
const std::string name_prompts =
    "\n\n Enter the name of the response file. \n"
    "\n Enter the name of the excitation file. \n"
    "\n\n";
const std::string output_prompt = "\n\n\n Enter the name of the output file. \n";
const std::string press_any_key = "\n Press any key to exit.\n\n";

std::string opened(const std::string& name) { return " File: " + name + " opened. \n"; }

std::string failed_to_open(const std::string& name) {
    return "\n Failed to open file: " + name + " \n" + press_any_key;
}

std::string closing(const std::string& name) {
    return "\n\n The output text file is: \n\n  " + name + "  \n" + press_any_key;
}

// Point counts as typed, frequencies as rendered in 12 columns.
std::string statistics(const std::string& response_count, const std::string& response_first,
                       const std::string& response_last, const std::string& excitation_count,
                       const std::string& excitation_first, const std::string& excitation_last) {
    return "\n\n Response Function Statistics \n"
           "\n number of points   = " +
           response_count +
           " "
           "\n starting frequency = " +
           response_first + "\n ending frequency   = " + response_last +
           " \n"
           "\n\n Excitation Function Statistics \n"
           "\n number of points   = " +
           excitation_count +
           " "
           "\n starting frequency = " +
           excitation_first + "\n ending frequency   = " + excitation_last + " \n\n";
}

const std::string trace_statistics =
    statistics("3", "          10", "          30", "2", "          15", "          25");

std::string successful_run(const std::string& response, const std::string& excitation, const std::string& result,
                           const std::string& stats) {
    return greeting + name_prompts + opened(response) + opened(excitation) + output_prompt + stats + closing(result);
}

class Dialogue : public ::testing::Test {
protected:
    void SetUp() override { folder = make_trace_folder(); }
    void TearDown() override { remove_folder(folder); }
    std::string path(const std::string& name) const { return folder + "/" + name; }
    program_run run(const std::string& answers) const { return run_program(folder, answers); }

    std::string folder;
};

TEST_F(Dialogue, NormalRunWithAnswersOnSeparateLines) {
    const program_run r = run("resp.txt\nexc.txt\nout.txt\n");
    EXPECT_EQ(r.output, successful_run("resp.txt", "exc.txt", "out.txt", trace_statistics));
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_TRUE(file_exists(path("out.txt")));
}

TEST_F(Dialogue, ThreeNamesOnOneLineAnswerAllPrompts) {
    const program_run r = run("  resp.txt\texc.txt   out.txt\r\n");
    EXPECT_EQ(r.output, successful_run("resp.txt", "exc.txt", "out.txt", trace_statistics));
    EXPECT_EQ(r.exit_status, 0);
}

TEST_F(Dialogue, ANameWithABlankAnswersTwoPrompts) {
    write_file(path("my"), "10 1\n20 3\n30 5\n");
    write_file(path("file.txt"), "15 1\n25 2\n");
    const program_run r = run("my file.txt\nout.txt\n");
    EXPECT_EQ(r.output, successful_run("my", "file.txt", "out.txt", trace_statistics));
}

TEST_F(Dialogue, LongNamesAndPercentSignsAreTakenWhole) {
    const std::string response = "a_response_file_with_a_long_name_0123456789.txt";
    const std::string excitation = "100%_%s%n%d.txt";
    const std::string result = "results_of_the_long_division_run_" + std::string(60, 'r') + ".txt";
    write_file(path(response), "10 1\n20 3\n30 5\n");
    write_file(path(excitation), "15 1\n25 2\n");
    const program_run r = run(response + "\n" + excitation + "\n" + result + "\n");
    EXPECT_EQ(r.output, successful_run(response, excitation, result, trace_statistics));
    EXPECT_TRUE(file_exists(path(result)));
}

TEST_F(Dialogue, InputFailures) {
    mkdir(path("folder").c_str(), 0755);
    struct row {
        std::string answers;
        std::string after_prompts;
    };
    const row table[] = {
        // The response is checked first; only the first failure is told.
        {"missing.txt exc.txt out.txt\n", failed_to_open("missing.txt")},
        {"missing.txt also_missing.txt out.txt\n", failed_to_open("missing.txt")},
        {"resp.txt missing.txt out.txt\n", opened("resp.txt") + failed_to_open("missing.txt")},
        {"", failed_to_open("")},
        {"resp.txt", opened("resp.txt") + failed_to_open("")},
        {"folder exc.txt out.txt\n", failed_to_open("folder")},
        // A NUL byte would cut the name to another file's: no such file.
        {std::string("resp.txt\0x exc.txt out.txt\n", 27), failed_to_open(std::string("resp.txt\0x", 10))},
    };
    for (const auto& r : table) {
        SCOPED_TRACE(r.answers);
        const program_run result = run(r.answers);
        EXPECT_EQ(result.output, greeting + name_prompts + r.after_prompts);
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_FALSE(file_exists(path("out.txt")));  // never asked for, never created
    }
}

TEST_F(Dialogue, ResultNamedAsAnInputIsRefusedAndTheInputKept) {
    ASSERT_EQ(link(path("resp.txt").c_str(), path("hard_link.txt").c_str()), 0);
    ASSERT_EQ(symlink("exc.txt", path("soft_link.txt").c_str()), 0);
    for (const std::string& result :
         std::vector<std::string>{"resp.txt", "./exc.txt", "hard_link.txt", "soft_link.txt", folder + "/resp.txt"}) {
        SCOPED_TRACE(result);
        const program_run r = run("resp.txt exc.txt " + result + "\n");
        EXPECT_EQ(r.output, greeting + name_prompts + opened("resp.txt") + opened("exc.txt") + output_prompt +
                                "\n The output file must not be an input file: " + result + " \n" + press_any_key);
        EXPECT_EQ(r.exit_status, 1);
        EXPECT_EQ(read_file(path("resp.txt")), "10 1\n20 3\n30 5\n");
        EXPECT_EQ(read_file(path("exc.txt")), "15 1\n25 2\n");
    }
}

TEST_F(Dialogue, ResultThatCannotBeCreated) {
    mkdir(path("folder").c_str(), 0755);
    for (const std::string& result : {std::string("folder"), std::string("no_such_folder/out.txt"), std::string(""),
                                      std::string("resp.txt\0", 9)}) {
        SCOPED_TRACE(result);
        const program_run r = run("resp.txt exc.txt " + result);
        EXPECT_EQ(r.output, greeting + name_prompts + opened("resp.txt") + opened("exc.txt") + output_prompt +
                                "\n Failed to open file: " + result + " \n" + press_any_key);
        EXPECT_EQ(r.exit_status, 1);
        EXPECT_EQ(read_file(path("resp.txt")), "10 1\n20 3\n30 5\n");
    }
}

TEST_F(Dialogue, EmptyAndOnePointTables) {
    write_file(path("empty.txt"), "Frequency Amplitude\n10 1\n");
    write_file(path("one.txt"), "-12345.6 1\n");
    const program_run r = run("empty.txt one.txt out.txt\n");
    EXPECT_EQ(r.output,
              successful_run("empty.txt", "one.txt", "out.txt",
                             statistics("0", "           0", "           0", "1", "      -12346", "      -12346")));
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(read_file(path("out.txt")), "");
}

TEST_F(Dialogue, StatisticsRenderFrequenciesInTwelveColumns) {
    write_file(path("wide.txt"), "0.00001 1 99999.7 2 123456 3 1e400 4");
    write_file(path("small.txt"), "0.0001 1 -0.00125 1");
    const program_run r = run("wide.txt small.txt out.txt\n");
    EXPECT_EQ(r.output,
              successful_run("wide.txt", "small.txt", "out.txt",
                             statistics("4", "      1e-005", "      1.#INF", "2", "      0.0001", "    -0.00125")));
}

}  // namespace
