#!/usr/bin/perl
# Reads the outputs bench/run left in a folder and prints one Markdown table of medians:
# figure, ours, the minimal Qt window, sgt-fifteen (and gnome-taquin when it ran), goal, met.
#   table.pl <log folder>
use strict;
use warnings;

my ($dir) = @ARGV;

sub slurp {
    my ($name) = @_;
    open(my $fh, '<', "$dir/$name") or return '';
    local $/;
    return <$fh>;
}

sub median {
    my @s = sort { $a <=> $b } @_;
    return @s ? $s[int(@s / 2)] : undef;
}

sub all_of {  # every capture of the pattern's first group in a file
    my ($name, $re) = @_;
    my $text = slurp($name);
    my @v = $text =~ /$re/g;
    return @v;
}

my $env = slurp('env.txt');
my ($runs) = $env =~ /runs: (\d+)/;
my ($play_idle_s) = $env =~ /idle in play (\d+) s/;
my ($clicks) = $env =~ /(\d+) clicks/;

# Start-up and memory: the medians measure.pl prints.
my (%start, %rss);
my $startup = slurp('startup.txt');
if ($startup =~ /medians of \d+ runs:\n(.*)/s) {
    for (split /\n/, $1) {
        $start{$1} = $2, $rss{$1} = $3 if /^\s+(\S+)\s+start\s+([\d.]+) ms\s+rss\s+([\d.]+) MB/;
    }
}
# Idle, wake-ups, memory in play and clicks: the medians idle_click.pl prints.
my (%idle_first, %idle_play, %wakes, %rss_play, %click, %click_ticks);
my $peers = slurp('idle_click.txt');
if ($peers =~ /medians of \d+ runs:\n(.*)/s) {
    for (split /\n/, $1) {
        next unless /^\s+(\S+)\s+idle-first ([\d.]+) %/;
        my $label = $1;
        $idle_first{$label} = $2;
        $idle_play{$label} = $1 if /idle-play ([\d.]+) %/;
        $wakes{$label} = $1 if /wakes ([\d.]+)\/s/;
        $rss_play{$label} = $1 if /rss-play ([\d.]+) MB/;
        $click{$label} = $1 if /click ([\d.]+) ms/;
        $click_ticks{$label} = $1 if /click-ticks ([\d.]+) ms/;
    }
}
my $play_normal = median(all_of('game_play.txt', qr/Normal median ([\d.]+) ms/));
my $play_hard = median(all_of('game_play.txt', qr/Hard median ([\d.]+) ms/));
my $steps = median(all_of('game_shuffle.txt', qr/shuffle: ([\d.]+) steps/));
my $region = median(all_of('region.txt', qr/median ([\d.]+) ms/));
my $region_help = median(all_of('region_help.txt', qr/median ([\d.]+) ms/));
my $music = slurp('music.txt');
my %music;
for my $font ('TimGM6mb', 'FluidR3_GM') {
    for my $tune ('ZnGame', 'ZnIntro') {
        if ($music =~ /^$tune, real time, $font\s+cpu\s+([\d.]+) %.*?rss \+\s*([\d.]+) MB/m) {
            $music{$font}{$tune} = [$1, $2];
        }
    }
}

sub fmt {
    my ($v, $unit, $digits) = @_;
    return defined $v ? sprintf("%.${digits}f %s", $v, $unit) : 'not measured';
}

sub met {
    my ($ok) = @_;
    return defined $ok ? ($ok ? 'yes' : '**no**') : '?';
}

my ($ours, $musical, $floor, $clock) =
    ('zantho-puzzle', 'zantho-puzzle+music', 'minimal-qt', 'minimal-qt-clock');
my $taquin = grep { defined $_->{'gnome-taquin'} } \%start, \%idle_first;
my $na = 'n/a';
my @rows;

sub row {  # figure, ours, minimal window, sgt-fifteen, gnome-taquin, goal, met
    my @r = @_;
    splice(@r, 4, 1) unless $taquin;
    push @rows, \@r;
}

sub ratio_to_sgt {
    my ($v, $s) = @_;
    return defined $v && defined $s && $s > 0 ? $v / $s : undef;
}

{
    my $s = $start{'sgt-fifteen'};
    my ($ro, $rf) = (ratio_to_sgt($start{$ours}, $s), ratio_to_sgt($start{$floor}, $s));
    row('exec → first window shown (ours: the menu), no audio device',
        fmt($start{$ours}, 'ms', 1) . (defined $ro ? sprintf(' (%.2f x)', $ro) : ''),
        fmt($start{$floor}, 'ms', 1) . (defined $rf ? sprintf(' (%.2f x)', $rf) : ''),
        fmt($s, 'ms', 1), fmt($start{'gnome-taquin'}, 'ms', 1), '≤ 0.6 x sgt-fifteen',
        met(defined $ro ? $ro <= 0.6 : undef));
    if (defined $start{$musical}) {
        my $rm = ratio_to_sgt($start{$musical}, $s);
        row('exec → first window shown, with a sound device (null sink)',
            fmt($start{$musical}, 'ms', 1) . (defined $rm ? sprintf(' (%.2f x)', $rm) : ''),
            $na, $na, $na, 'the SoundFont never delays a window', '–');
    }
}
{
    my $limit = defined $rss{$floor} ? $rss{$floor} + 4 : undef;
    row('RSS 3 s after exec, no audio device', fmt($rss{$ours}, 'MB', 1),
        fmt($rss{$floor}, 'MB', 1), fmt($rss{'sgt-fifteen'}, 'MB', 1),
        fmt($rss{'gnome-taquin'}, 'MB', 1),
        defined $limit ? sprintf('≤ %.1f MB (minimal + 4)', $limit) : '≤ minimal + 4 MB',
        met(defined $rss{$ours} && defined $limit ? $rss{$ours} <= $limit : undef));
    row('RSS in play after "Done", no audio device', fmt($rss_play{$ours}, 'MB', 1), $na, $na,
        $na, '–', '');
    row('RSS in play after "Done", game tune playing (null sink)',
        fmt($rss_play{$musical}, 'MB', 1), $na, $na, $na, '≤ 45 MB',
        met(defined $rss_play{$musical} ? $rss_play{$musical} <= 45 : undef));
}
row('idle CPU, first window (ours: the menu; sgt-fifteen: a new game)',
    fmt($idle_first{$ours}, '%', 3), fmt($idle_first{$floor}, '%', 3),
    fmt($idle_first{'sgt-fifteen'}, '%', 3), fmt($idle_first{'gnome-taquin'}, '%', 3), '–', '');
row('idle CPU, the menu with its tune playing (null sink)', fmt($idle_first{$musical}, '%', 3),
    $na, $na, $na, '≤ 1 % (music)',
    met(defined $idle_first{$musical} ? $idle_first{$musical} <= 1 : undef));
row('CPU in play after "Done", game tune playing (null sink; the whole program)',
    fmt($idle_play{$musical}, '%', 3), $na, $na, $na, '≤ 1 % (music)',
    met(defined $idle_play{$musical} ? $idle_play{$musical} <= 1 : undef));
row("idle CPU in play over ${\($play_idle_s // '?')} s, untouched (ours: after \"Done\"; "
        . 'minimal: a clock label set once a second; sgt-fifteen: after its clicks)',
    fmt($idle_play{$ours}, '%', 3), fmt($idle_play{$clock}, '%', 3),
    fmt($idle_play{'sgt-fifteen'}, '%', 3), fmt($idle_play{'gnome-taquin'}, '%', 3), '≤ 0.03 %',
    met(defined $idle_play{$ours} ? $idle_play{$ours} <= 0.03 : undef));
row('wake-ups per second in play (the same runs)', fmt($wakes{$ours}, '/s', 2),
    fmt($wakes{$clock}, '/s', 2), fmt($wakes{'sgt-fifteen'}, '/s', 2),
    fmt($wakes{'gnome-taquin'}, '/s', 2), 'only when a shown figure changes', '–');
{
    my $r = ratio_to_sgt($click{$ours}, $click{'sgt-fifteen'});
    my $both = sub {
        my ($l) = @_;
        return defined $click{$l}
            ? sprintf('%.3f ms (utime + stime %.2f ms)', $click{$l}, $click_ticks{$l})
            : 'not measured';
    };
    row("CPU per click, xdotool, ${\($clicks // '?')} clicks, idle subtracted",
        $both->($ours) . (defined $r ? sprintf(' (%.2f x)', $r) : ''), $na,
        $both->('sgt-fifteen'), $both->('gnome-taquin'), '≤ 0.5 x sgt-fifteen',
        met(defined $r ? $r <= 0.5 : undef));
}
row('"Play" → board shown, Normal / Hard (in-process)',
    defined $play_normal ? sprintf('%.1f / %.1f ms', $play_normal, $play_hard) : 'not measured',
    $na, $na, $na, '≤ 15 ms',
    met(defined $play_normal ? $play_normal <= 15 && $play_hard <= 15 : undef));
row('shuffle steps per second (Hard)', fmt($steps, 'steps/s', 1), $na, $na, $na, '≥ 60 steps/s',
    met(defined $steps ? $steps >= 60 : undef));
row('window shape from a 536 x 349 skin (jagged / help skin)',
    defined $region ? sprintf('%.3f / %.3f ms', $region, $region_help) : 'not measured', $na, $na,
    $na, '≤ 1 ms', met(defined $region ? $region <= 1 && $region_help <= 1 : undef));
for my $font ('TimGM6mb', 'FluidR3_GM') {
    for my $tune ('ZnGame', 'ZnIntro') {
        my $m = $music{$font}{$tune};
        my $chosen = $font eq 'TimGM6mb';
        row("music CPU / memory added, $tune, $font" . ($chosen ? ' (the default)' : ''),
            $m ? sprintf('%.2f %% / +%.1f MB', @$m) : 'not measured', $na, $na, $na,
            $chosen ? '≤ 1 %' : '–', $chosen ? met($m ? $m->[0] <= 1 : undef) : '');
    }
}

my @head = ("Figure (medians of $runs runs)", 'Zantho Puzzle +1', 'minimal Qt window',
            'sgt-fifteen', 'gnome-taquin', 'Goal', 'Met');
splice(@head, 4, 1) unless $taquin;
print '| ', join(' | ', @head), " |\n";
print '|', '---|' x @head, "\n";
print '| ', join(' | ', @$_), " |\n" for @rows;

# Another build of the game (BEFORE=...), measured in the same runs.
my $before = 'zantho-puzzle-before';
if (defined $start{$before}) {
    print "\n| Same runs (medians of $runs) | this build | the build before (BEFORE) |\n";
    print "|---|---|---|\n";
    my @pairs = (
        ['exec → first window shown', fmt($start{$ours}, 'ms', 1), fmt($start{$before}, 'ms', 1)],
        ['RSS 3 s after exec, no audio device', fmt($rss{$ours}, 'MB', 1),
         fmt($rss{$before}, 'MB', 1)],
        ['RSS in play after "Done", no audio device', fmt($rss_play{$ours}, 'MB', 1),
         fmt($rss_play{$before}, 'MB', 1)],
        ['idle CPU in play, untouched', fmt($idle_play{$ours}, '%', 3),
         fmt($idle_play{$before}, '%', 3)],
        ['wake-ups per second in play', fmt($wakes{$ours}, '/s', 2), fmt($wakes{$before}, '/s', 2)],
    );
    print '| ', join(' | ', @$_), " |\n" for @pairs;
}
