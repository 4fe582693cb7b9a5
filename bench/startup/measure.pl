#!/usr/bin/perl
# Inside an X server: times exec -> first window mapped (seen by an X event watcher on the
# root window) and reads the resident memory 3 s later, for each program in turn.
#   measure.pl <runs> <label>=<command> ...
use strict;
use warnings;
use Time::HiRes qw(time sleep);
use POSIX qw(:sys_wait_h);

my ($runs, @programs) = @ARGV;
my %start_ms;
my %rss_mb;

sub rss_mb {
    my ($pid) = @_;
    open(my $fh, '<', "/proc/$pid/status") or return -1;
    while (<$fh>) { return $1 / 1024 if /^VmRSS:\s+(\d+)/; }
    return -1;
}

sub measure {
    my ($command) = @_;
    # The watcher must be listening before the program starts.
    my $watcher = open(my $xev, '-|', 'stdbuf', '-oL', 'xev', '-root', '-event', 'substructure')
        or die "xev: $!";
    sleep 0.3;
    my $t0 = time;
    my $pid = fork // die "fork: $!";
    if ($pid == 0) {
        open(STDOUT, '>', '/dev/null');
        open(STDERR, '>', '/dev/null');
        exec(@$command) or POSIX::_exit(127);
    }
    my $t1;
    while (my $line = <$xev>) {
        if ($line =~ /^MapNotify/) { $t1 = time; last; }
    }
    kill 'TERM', $watcher;
    close $xev;
    sleep 3;
    my $rss = rss_mb($pid);
    kill 'TERM', $pid;
    waitpid($pid, 0);
    return (($t1 - $t0) * 1000, $rss);
}

sub median {
    my @s = sort { $a <=> $b } @_;
    return $s[int(@s / 2)];
}

for my $p (@programs) {  # warm the page cache; not counted
    my ($label, $cmd) = split /=/, $p, 2;
    measure([split ' ', $cmd]);
}
for my $i (1 .. $runs) {  # alternate, so both see the same machine load
    for my $p (@programs) {
        my ($label, $cmd) = split /=/, $p, 2;
        my ($ms, $rss) = measure([split ' ', $cmd]);
        push @{$start_ms{$label}}, $ms;
        push @{$rss_mb{$label}}, $rss;
        printf "run %d %-14s start %7.1f ms  rss %6.1f MB\n", $i, $label, $ms, $rss;
    }
}
print "\nmedians of $runs runs:\n";
for my $p (@programs) {
    my ($label) = split /=/, $p, 2;
    printf "  %-14s start %7.1f ms  rss %6.1f MB\n", $label, median(@{$start_ms{$label}}),
        median(@{$rss_mb{$label}});
}
if (@programs > 1) {
    my ($first) = split /=/, $programs[0], 2;
    my ($other) = split /=/, $programs[1], 2;
    printf "  start-up ratio %s / %s: %.2f\n", $first, $other,
        median(@{$start_ms{$first}}) / median(@{$start_ms{$other}});
}
